// Too slow: peels the outer blocks off recursively, copying the rest of the word at every level
#include <bits/stdc++.h>
using namespace std;

bool mirror(string s) {
  if (s.size() <= 2) return true;
  string first = s.substr(0, 2), last = s.substr(s.size() - 2);
  s = s.substr(2, s.size() - 4);
  return first == last && mirror(s);
}

int main() {
  int T;
  cin >> T;
  string w;
  while (T--) {
    cin >> w;
    cout << (mirror(w) ? "Yes" : "No") << "\n";
  }
}
