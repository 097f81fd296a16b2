#include "resources/Strings.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitOrvikResources()
{
    Q_INIT_RESOURCE(OrvikCad);
}

void InitResources()
{
    static bool done = false;
    if (!done) {
        InitOrvikResources();
        done = true;
    }
}
