// Wrong: multiplies out numerator and denominator separately; both overflow to inf for large n
// Input on which it differs from the reference:
//   1
//   500
#include <iostream>
#include <iomanip>
using namespace std;

int main() {
    int t;
    cin >> t;
    cout << fixed << setprecision(10);
    while (t--) {
        int n;
        cin >> n;
        double num = 1, den = 1;
        for (int i = 2; i <= n; i++) {
            num *= 2 * i - 2;
            den *= 2 * i - 1;
        }
        cout << num / den << "\n";
    }
}
