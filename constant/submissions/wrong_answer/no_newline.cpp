// Wrong: prints 25 without a line end
// Input on which it differs from the reference:
//   (empty)
#include <cstdio>

int main() {
    printf("25");
    return 0;
}
