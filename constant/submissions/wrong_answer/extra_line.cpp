// Wrong: puts("25\n") writes a second, empty line
// Input on which it differs from the reference:
//   1
//   1
#include <cstdio>

int main() {
    puts("25\n");
}
