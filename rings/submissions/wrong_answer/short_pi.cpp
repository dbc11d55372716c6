// Wrong: uses pi = 3.14159, a relative error of 8e-7 that moves points near a ring's edge
// Input on which it differs from the reference:
//   1
//   40.672 1
#include <iostream>
using namespace std;

const double pi = 3.14159;

int main() {
    int t;
    cin >> t;
    while (t--) {
        double x, y;
        cin >> x >> y;
        if (y < -1e-10) {
            cout << "inf\n";
            continue;
        }
        double v = pi * (x * x + y * y) / 100;
        int k = (int)(v - 1e-10) + 1;
        if (k > 730)
            cout << "inf\n";
        else
            cout << k << "\n";
    }
}
