// Wrong: prints a blank after 25
// Input on which it differs from the reference:
//   (empty)
#include <cstdio>

int main() {
    printf("%d \n", 25);
}
