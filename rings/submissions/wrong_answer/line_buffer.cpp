// Wrong: reads each point's line into a 52-byte buffer, room for two coordinates of 25 characters, the blank and the closing zero but not the line end, which is then read as the next point
// Input on which it differs from the reference:
//   2
//   -184870.12345678901234567 -184870.12345678901234567
//   0 0
#include <cstdio>
#include <cstdlib>

char line[52];

int main() {
    fgets(line, sizeof line, stdin);
    int t = atoi(line);
    double x = 0, y = 0;
    while (t--) {
        fgets(line, sizeof line, stdin);
        sscanf(line, "%lf %lf", &x, &y);
        if (y < -1e-10) {
            puts("inf");
            continue;
        }
        double v = (x * x + y * y) * 3.141592653589793 / 100;
        if (v - 1e-10 >= 730) {
            puts("inf");
            continue;
        }
        printf("%d\n", (int)(v - 1e-10) + 1);
    }
}
