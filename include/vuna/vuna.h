// vuna.h: the whole toolkit in one include: the widget tree, the screen and every widget class.
//
// The hosts are not included: GLUT's (its callbacks, the global screen and vunaMain) comes with
// the library vuna::glut as <vuna/screen/host.h>; GLFW's and SDL2's with vuna::glfw and
// vuna::sdl2 as <vuna/hosts/glfw/...> and <vuna/hosts/sdl2/...>.
#pragma once

#include "core/VColor.h"
#include "core/VEvent.h"
#include "core/VHostButton.h"
#include "core/VMessages.h"
#include "core/VSpecialKey.h"
#include "core/VWidget.h"
#include "draw/VFont.h"
#include "draw/VImageSource.h"
#include "draw/VLookAndFeel.h"
#include "draw/VTheme.h"
#include "screen/VHostOptions.h"
#include "screen/VScreen.h"
#include "widgets/VBoxLayout.h"
#include "widgets/VButton.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VGridLayout.h"
#include "widgets/VLabel.h"
#include "widgets/VLayout.h"
#include "widgets/VProgressBar.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VSlider.h"
#include "widgets/VSpinBox.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"
