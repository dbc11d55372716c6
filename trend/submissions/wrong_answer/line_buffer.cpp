// Wrong: reads each line into a 512-byte buffer, but a line of 201 values takes up to 551 characters, so the rest of it is read as the next line
// Input on which it differs from the reference:
//   2
//   201
//   24 25 26 27 28 29 30 29 28 27 26 25 24 23 22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 29 28 27 26 25 24 23 22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 29 28 27 26 25 24 23 22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 29 28 27 26 25 24 23 22 21 20 19 18 17 16 15 14 13 12 11 10
//   1
//   30
#include <cstdio>
#include <cstdlib>
#include <cstring>

char s[512];

int main() {
    fgets(s, sizeof s, stdin);
    int t = atoi(s);
    while (t--) {
        fgets(s, sizeof s, stdin);
        int n = atoi(s);
        fgets(s, sizeof s, stdin);
        int prev = 0, last = 0, cnt = 0;
        for (char *p = strtok(s, " \n"); p; p = strtok(NULL, " \n")) prev = last, last = atoi(p), cnt++;
        if (last == 30) puts("Light");
        else if (last == 1) puts("Heavy");
        else if (n == 1) puts("No Response");
        else puts(last > prev ? "Heavy" : "Light");
    }
}
