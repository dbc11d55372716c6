// Wrong: prints a blank after 25
// Input on which it differs from the reference:
//   1
//   1
#include <cstdio>

int main() {
    printf("%d \n", 25);
}
