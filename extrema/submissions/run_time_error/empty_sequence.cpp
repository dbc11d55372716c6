// Crashes: for n = 0, v.size() - 1 wraps around and the loop reads far past the empty vector
// Input on which it differs from the reference:
//   1
//   0
#include <bits/stdc++.h>
using namespace std;

int main() {
    int t;
    cin >> t;
    while (t--) {
        int n;
        cin >> n;
        vector<int> v(n);
        for (auto &x : v) cin >> x;
        int cnt = 0;
        for (size_t i = 1; i < v.size() - 1; i++)
            if ((v[i] > v[i - 1] && v[i] > v[i + 1]) || (v[i] < v[i - 1] && v[i] < v[i + 1])) cnt++;
        cout << cnt << '\n';
    }
}
