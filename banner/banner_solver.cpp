// banner_solver: Banner digits, reference solver.
// Input: T, then T digit strings of 1 to 9 digits. Output: per case seven lines, the string
// drawn in glyphs of 7 columns of hash marks and spaces, one space between glyphs; an empty
// line between cases. Method: a table of glyph rows, written row by row. O(digits) a case.
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
using namespace std;

// a[d][r]: row r (1..7) of digit d's glyph; row 0 stays empty.
string a[10][8];
char b[10];      // the case's digits and their null
char tk[64];     // the case count's token
long long T, cs; // cs: number of the case being read, from 1
int fst;

// The banner of 0123456789 without the spaces between glyphs: 7 characters a digit.
const char *g[7] = {
    " #####    #    #####  #####    #   ######  ##### ####### #####  ##### ",
    "#     #  ##   #     ##     #  #    #      #     #      ##     ##     #",
    "#     # # #        #       # #  #  #      #           # #     ##     #",
    "#     #   #       #     ### #   #   ##### ######     #   #####  ##### ",
    "#     #   #      #         ########      ##     #   #   #     #      #",
    "#     #   #     #    #     #    #  #     ##     #  #    #     ##     #",
    " ##### ############## #####     #   #####  #####  #      #####  ##### ",
};

void fail(const char *what) {
  cout.flush();
  cerr << "banner_solver: ";
  if (cs) cerr << "case " << cs << ": ";
  cerr << what << endl;
  exit(2);
}

// Stops the program when standard output has failed: the banners would be lost unseen.
void written() {
  int e = errno; // set by the write that failed
  cerr << "banner_solver: cannot write the answers: " << strerror(e) << endl;
  exit(2);
}

// Every line end flushes; a write that failed shows there.
void nl() {
  cout << endl;
  if (!cout) written();
}

// Reads a word of at most W - 1 characters into s and returns its length, or -1 when the input
// has ended. Extraction stores a NUL byte like any other, so the length is found from the null
// it writes after the word: the bytes behind that null keep the mark set here. A failed
// extraction writes nothing.
template <int W> int word(char (&s)[W]) {
  memset(s, 1, W);
  if (!(cin >> setw(W) >> s)) return -1;
  int k = W - 1;
  while (k >= 0 && s[k]) k--;
  return k;
}

// Whether the word just read ends there; a longer one leaves a character other than blank
// space right behind it.
bool ends() {
  int c = cin.peek();
  return c == EOF || isspace(c);
}

int main() {
  for (int d = 0; d < 10; d++)
    for (int r = 1; r <= 7; r++) a[d][r] = string(g[r - 1] + 7 * d, 7);
  ios::sync_with_stdio(false);

  // The count is read as a word and converted whole, so that a refusal quotes it as it stood.
  // Extraction that overflows leaves the largest or smallest value and has read every digit.
  cin >> ws;
  if (cin.peek() == EOF) fail("input ends before the case count");
  int k = word(tk);
  if (k < 0) fail("input ends before the case count");
  if (!ends()) fail("case count is longer than 63 characters");
  istringstream in(string(tk, k));
  in >> T;
  if (!in.eof()) fail("case count is not a number");
  if (in.fail() && T == LLONG_MAX) fail(("case count " + string(tk) + " does not fit").c_str());
  if (in.fail() && T != LLONG_MIN) fail("case count is not a number");
  if (T < 0) fail(("case count " + string(tk) + " is negative").c_str());
  fst = 0;
  while (T--) {
    cs++;
    // The width stops the read after 9 characters, inside b. The token is checked whole
    // before anything of its case is written.
    k = word(b);
    if (k < 0) fail("input ends before the digits");
    if (!ends()) fail("the token is longer than 9 characters");
    for (int j = 0; j < k; j++)
      if (b[j] < '0' || b[j] > '9') fail("the token holds a character that is not a digit");
    if (fst) nl();
    fst = 1;
    for (int r = 1; r <= 7; r++) {
      for (int j = 0; b[j]; j++) {
        if (j > 0) cout << ' ';
        cout << a[b[j] - '0'][r];
      }
      nl();
    }
  }
  cout.flush();
  if (!cout) written();
  return 0;
}
