// app: the demo scene.
#include "app/app.h"

#include "screen/VScreen.h"

void buildDemoScene(VScreen*) {}
