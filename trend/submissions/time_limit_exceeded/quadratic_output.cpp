// Too slow: gathers the answers as ans = ans + verdict, copying the whole output for every case, quadratic in the output's size
#include <iostream>
#include <string>
using namespace std;

int a[205];

int main() {
    ios::sync_with_stdio(false);
    cin.tie(nullptr);
    int t;
    cin >> t;
    string ans;
    while (t--) {
        int n;
        cin >> n;
        for (int i = 1; i <= n; i++) cin >> a[i];
        string v;
        if (a[n] == 30) v = "Light";
        else if (a[n] == 1) v = "Heavy";
        else if (n == 1) v = "No Response";
        else v = a[n] > a[n - 1] ? "Heavy" : "Light";
        ans = ans + v + "\n";
    }
    cout << ans;
}
