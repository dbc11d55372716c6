// Wrong: counts a position equal to a neighbour (>= and <= instead of strict comparisons)
// Input on which it differs from the reference:
//   1
//   4 1 2 2 1
#include <bits/stdc++.h>
using namespace std;

int a[110];

int main() {
    int t;
    cin >> t;
    while (t--) {
        int n;
        cin >> n;
        for (int i = 1; i <= n; i++) cin >> a[i];
        int c = 0;
        for (int i = 2; i < n; i++)
            if ((a[i] >= a[i - 1] && a[i] >= a[i + 1]) || (a[i] <= a[i - 1] && a[i] <= a[i + 1])) c++;
        cout << c << "\n";
    }
}
