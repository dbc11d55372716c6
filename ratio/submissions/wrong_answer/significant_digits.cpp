// Wrong: prints ten significant digits (setprecision without fixed), not ten decimals
// Input on which it differs from the reference:
//   1
//   1
#include <iostream>
#include <iomanip>
using namespace std;

double p[1005];

int main() {
    p[1] = 1;
    for (int i = 2; i <= 1000; i++) p[i] = p[i - 1] * (2 * i - 2) / (2 * i - 1);
    int t;
    cin >> t;
    while (t--) {
        int n;
        cin >> n;
        cout << setprecision(10) << p[n] << "\n";
    }
}
