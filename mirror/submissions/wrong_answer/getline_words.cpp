// Wrong: reads the words with getline right after the count, so the first "word" is the empty rest of that line
// Input on which it differs from the reference:
//   2
//   ab
//   abba
#include <iostream>
#include <string>
using namespace std;

bool mirror(const string &s) {
    int n = s.size();
    for (int i = 0; i < n / 2; i += 2)
        if (s.substr(i, 2) != s.substr(n - 2 - i, 2)) return false;
    return true;
}

int main() {
    int t;
    cin >> t;
    string s;
    while (t--) {
        getline(cin, s);
        cout << (mirror(s) ? "Yes" : "No") << endl;
    }
}
