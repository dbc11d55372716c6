// Wrong: checks that the word is a palindrome of characters, not of two-letter blocks
// Input on which it differs from the reference:
//   1
//   abab
#include <bits/stdc++.h>
using namespace std;

int main() {
    int t;
    cin >> t;
    while (t--) {
        string s;
        cin >> s;
        string r(s.rbegin(), s.rend());
        cout << (s == r ? "Yes" : "No") << "\n";
    }
}
