// Wrong: the cursors stop one step early, so the two innermost blocks are never compared
// Input on which it differs from the reference:
//   1
//   abcd
#include <bits/stdc++.h>
using namespace std;

int main() {
    ios::sync_with_stdio(false);
    int T;
    cin >> T;
    string w;
    while (T--) {
        cin >> w;
        int l = 0, r = (int)w.size() - 2;
        bool ok = true;
        while (l + 2 < r) {
            if (w[l] != w[r] || w[l + 1] != w[r + 1]) {
                ok = false;
                break;
            }
            l += 2;
            r -= 2;
        }
        cout << (ok ? "Yes" : "No") << '\n';
    }
}
