// app: the mini Vuna demo scene, built under the screen before the main loop starts.
#pragma once

class VScreen;

// Builds the demo's widgets under the screen.
void buildDemoScene(VScreen* screen);
