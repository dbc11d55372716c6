// Too slow: reads the input with one 4 MB fread that is never refilled; on a larger file the reader runs out of bytes and waits forever for a digit
#include <cstdio>

const int SZ = 1 << 22;
char buf[SZ];
int len, pos;

int gc() { return pos < len ? buf[pos++] : -1; }

int readInt() {
    int c = gc(), neg = 0;
    while (c != '-' && (c < '0' || c > '9')) c = gc();
    if (c == '-') neg = 1, c = gc();
    long long x = 0;
    while (c >= '0' && c <= '9') x = x * 10 + (c - '0'), c = gc();
    return neg ? -x : x;
}

int a[110];

int main() {
    len = fread(buf, 1, SZ, stdin);
    int t = readInt();
    while (t--) {
        int n = readInt();
        for (int i = 0; i < n; i++) a[i] = readInt();
        int c = 0;
        for (int i = 1; i + 1 < n; i++)
            if ((a[i] > a[i - 1] && a[i] > a[i + 1]) || (a[i] < a[i - 1] && a[i] < a[i + 1])) c++;
        printf("%d\n", c);
    }
}
