// buildGalleryScene: the widgets of the gallery under a screen, as its program builds them; a
// library of its own so that the tests draw the same scene on every kind of GL context.
#pragma once

class VScreen;

void buildGalleryScene(VScreen* screen);
