// Must not compile: a list's copies are freed with the plain delete.
#include "core/containers/List.h"

struct alignas(64) Wide {
    float lanes[16];
};

int main() {
    orvo::List<Wide> list;
    return list.pushBack(Wide()) ? 0 : 1;
}
