// Wrong: prints the answer as a real number, 25.0
// Input on which it differs from the reference:
//   1
//   1
#include <iostream>
#include <iomanip>
using namespace std;

int main() {
    double ans = 5.0 * 5.0;
    cout << fixed << setprecision(1) << ans << endl;
}
