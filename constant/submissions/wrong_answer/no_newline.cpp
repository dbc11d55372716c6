// Wrong: prints 25 without a line end
// Input on which it differs from the reference:
//   1
//   1
#include <cstdio>

int main() {
    printf("25");
    return 0;
}
