// vuna.h: the whole toolkit in one include: the widget tree, the screen and every widget class.
//
// The GLUT host (its callbacks, the global screen and vunaMain) is not included: it comes with
// the library vuna::glut, as <vuna/screen/host.h>.
#pragma once

#include "core/VColor.h"
#include "core/VEvent.h"
#include "core/VWidget.h"
#include "draw/VFont.h"
#include "draw/VImageSource.h"
#include "draw/VLookAndFeel.h"
#include "screen/VScreen.h"
#include "widgets/VButton.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"
