// banner_solver: Banner digits, reference solver.
// Input: T, then T digit strings of 1 to 9 digits. Output: per case seven lines, the string
// drawn in glyphs of 7 columns of hash marks and spaces, one space between glyphs; an empty
// line between cases. Method: a table of glyph rows, written row by row. O(digits) a case.
#include <cctype>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <string>
using namespace std;

// a[d][r]: row r (1..7) of digit d's glyph; row 0 stays empty.
string a[10][8];
char b[10];      // the case's digits and their null
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

int main() {
  for (int d = 0; d < 10; d++)
    for (int r = 1; r <= 7; r++) a[d][r] = string(g[r - 1] + 7 * d, 7);
  ios::sync_with_stdio(false);

  cin >> ws;
  if (cin.peek() == EOF) fail("input ends before the case count");
  if (!(cin >> T)) fail(T ? "case count is out of range" : "case count is not a number");
  if (T < 0) {
    cerr << "banner_solver: case count " << T << " is negative" << endl;
    exit(2);
  }
  fst = 0;
  while (T--) {
    cs++;
    // The width stops the read after 9 characters, inside b; a longer token leaves a
    // character other than blank space right behind them. The token is checked whole
    // before anything of its case is written.
    if (!(cin >> setw(10) >> b)) fail("input ends before the digits");
    int c = cin.peek();
    if (c != EOF && !isspace(c)) fail("the token is longer than 9 characters");
    for (int j = 0; b[j]; j++)
      if (b[j] < '0' || b[j] > '9') fail("the token holds a character that is not a digit");
    if (fst) cout << endl;
    fst = 1;
    for (int r = 1; r <= 7; r++) {
      for (int j = 0; b[j]; j++) {
        if (j > 0) cout << ' ';
        cout << a[b[j] - '0'][r];
      }
      cout << endl;
    }
  }
  return 0;
}
