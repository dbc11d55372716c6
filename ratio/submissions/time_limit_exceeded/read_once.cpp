// Too slow: reads the input with one 4 MB fread that is never refilled; on a larger file the reader runs out of bytes and waits forever for a digit
#include <cstdio>

const int SZ = 1 << 22;
char buf[SZ];
int len, pos;

int gc() { return pos < len ? buf[pos++] : -1; }

int readInt() {
    int c = gc();
    while (c < '0' || c > '9') c = gc();
    int x = 0;
    while (c >= '0' && c <= '9') x = x * 10 + (c - '0'), c = gc();
    return x;
}

double a[1001];

int main() {
    a[1] = 1;
    for (int i = 2; i <= 1000; i++) a[i] = a[i - 1] * (2 * i - 2) / (2 * i - 1);
    len = fread(buf, 1, SZ, stdin);
    int t = readInt();
    while (t--) printf("%.10f\n", a[readInt()]);
}
