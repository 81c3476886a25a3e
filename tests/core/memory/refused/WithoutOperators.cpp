// Must not link: without the replaced operators this delete would hand a pool address to the C
// library's free.
#include "core/memory/ZequinAllocation.h"

int main() {
    int* value = new (0, ZequinAllocation) int(1);
    const int result = value != nullptr ? *value : 0;
    delete value;
    return result;
}
