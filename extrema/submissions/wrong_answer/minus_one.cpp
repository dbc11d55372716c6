// Wrong: marks "no value yet" with -1, so a value -1 is taken for a missing neighbour
// Input on which it differs from the reference:
//   1
//   3 -1 5 0
#include <iostream>
using namespace std;

int main() {
    int t;
    cin >> t;
    while (t--) {
        int n;
        cin >> n;
        int p = -1, q = -1, cnt = 0; // the two values before the current one
        for (int i = 0; i < n; i++) {
            int x;
            cin >> x;
            if (p != -1 && q != -1 && ((q > p && q > x) || (q < p && q < x))) cnt++;
            p = q;
            q = x;
        }
        cout << cnt << endl;
    }
}
