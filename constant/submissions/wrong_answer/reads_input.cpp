// Wrong: reads a number n first and prints n * n; the input is empty, so it prints 0
// Input on which it differs from the reference:
//   (empty)
#include <iostream>
using namespace std;

long long n;

int main() {
    cin >> n;
    cout << n * n << "\n";
}
