// Wrong: the verdict flag is set once before all cases, so after the first "No" every word is "No"
// Input on which it differs from the reference:
//   3
//   ab
//   abba
//   abab
#include <bits/stdc++.h>
using namespace std;

int T;
string s;
bool ok = true;

int main() {
    cin >> T;
    while (T--) {
        cin >> s;
        int n = s.size();
        for (int i = 0, j = n - 2; i < j; i += 2, j -= 2)
            if (s.compare(i, 2, s, j, 2) != 0) ok = false;
        puts(ok ? "Yes" : "No");
    }
}
