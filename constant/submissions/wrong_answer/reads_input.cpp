// Wrong: takes 25 = 5 * 5 for a rule and prints the first number of the input squared
// Input on which it differs from the reference:
//   1
//   1
#include <iostream>
using namespace std;

long long n;

int main() {
    cin >> n;
    cout << n * n << "\n";
}
