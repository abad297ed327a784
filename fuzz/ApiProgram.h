// ApiProgram: runs bytes as a program's calls and host events on a fresh screen, checking the tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vf {

// The calls an input is made of. Each call is one byte (modulo the dialect's count of ops)
// followed by the bytes of its arguments; an input that ends early reads zeros. Arguments name
// widgets by their place in the list of live widgets (the screen's tree breadth first, front to
// back, then the trees the program holds outside it), so the same bytes make the same calls on
// every run.
//
// Dialects. Every kept input must go on making the calls it made when it was found, yet a new
// op or widget kind changes what a byte taken modulo a count means. So the reading is versioned
// by the first byte: an input that begins with kPanelDialectMarker is read, from the next byte
// on, in the panel dialect (every op below, the panel controls, layouts, the wheel, tooltips
// and timers); any other input is read whole in the first dialect, as every input was before
// (the ops up to opRecreateContext, nine widget kinds, eighteen geometry properties, no host
// services). No input found before the panel dialect begins with the marker, and the first
// dialect's counts never change. The panel dialect is frozen the same way (its ops up to
// opFireTimers, sixteen widget kinds): an input that begins with kTextDialectMarker is read in
// the text dialect, which adds the line edit and the text view as kinds 16 and 17 and the ops
// from opModifiers on. To add ops later, freeze the text dialect too and give the next one the
// marker below (0xFD, then down).
constexpr std::uint8_t kPanelDialectMarker = 0xFF;
constexpr std::uint8_t kTextDialectMarker = 0xFE;

enum ApiOp : std::uint8_t {
  opCreate,           // kind, owner (or none): VWidget ... MyWindow; panel: ... VGridLayout
  opAdd,              // x->add(w); a w that nothing lists is then owned by x
  opRemove,           // w's owner removes it; the program holds w
  opFree,             // w->free()
  opDelete,           // owner->remove(w) then delete w, or delete of a held widget
  opReparent,         // remove from the owner, setOwner(x), x->add(w)
  opBringToFront,     // w's owner (or any widget) brings w to the front
  opVisible,          // setVisible
  opEnabled,          // setEnabled
  opGeometry,         // one of the size, position, border and class properties (panel: also
                      // margins, spacings, columns, alignments, decimals, sizing, percentage)
  opFontSize,         // the font of a widget that shows text
  opText,             // captions and texts (panel: labels too), any bytes; a text edit's cursor
                      // (text: a line edit's text, selection, maximum length and password
                      // mode; a line appended to a text view, and its limit)
  opRadioGroup,       // setRadioButtonGroup(group or null)
  opGroupAdd,         // the group's own add
  opGroupRemove,      // the group's own remove
  opGroupNew,         // a group the program owns
  opGroupDelete,      // deletes one
  opGroupSelect,      // setAsSelected
  opHandler,          // a handler that frees, creates or removes a sibling while drawing
  opMouse,            // a GLUT button (odd numbers too) going down, up or elsewhere
  opMotion,           // motion
  opKey,              // key down, any byte
  opKeyUp,            // key up
  opSpecial,          // special key, any code
  opReshape,          // the host window's new size, 0 and huge included
  opDisplay,          // a display pass
  opOverlay,          // drawOverlay with the program's model-view stack pushed near full
  opCloseClick,       // a click on a window's close button
  opMaximizeClick,    // a click on a window's maximise button
  opFreeTitleButton,  // the program frees a window's own close or maximise button
  opRecreateContext,  // a new GLUT window and context; the old one is destroyed
  // The panel dialect alone from here on.
  opValue,            // a value control's range, step or value, NaN and infinities included
  opWheel,            // mouseWheel(stepsX, stepsY) at a position, any steps
  opPassiveMotion,    // glutPassiveMotion: the pointer moving with no button held
  opTooltip,          // setTooltip, any bytes; empty clears it
  opFireTimers,       // the host's pending timers run, each once (spin-box repeats, tooltips)
  // The text dialect alone from here on.
  opModifiers,        // the modifier keys held from now on (VScreen::setModifiers), any bits
  opCount
};
constexpr int kFirstDialectOpCount = opRecreateContext + 1;
constexpr int kPanelDialectOpCount = opFireTimers + 1;

const char* apiOpName(int op);

// The op byte that encodes op (a generator writes these).
inline std::uint8_t apiOpByte(ApiOp op) { return static_cast<std::uint8_t>(op); }

class ApiProgram {
 public:
  using FreedTest = bool (*)(const void* address);

  // Opens the GLUT window whose context every run draws with and points the image source at
  // the artwork folder. Once per process.
  static void openContext(const char* assetFolder);

  // Op kinds named in the list (comma separated names, as apiOpName gives them) are read but
  // not made: a known fault can be stepped over to look for others.
  static void skipOps(const std::string& names);
  // Each call is written to standard error before it is made.
  static void setTrace(bool on);

  // Runs one input on a new screen and tears everything down after it. Answers an empty
  // string when every check held after every call; otherwise which call broke what (and the
  // state is left as it was, not torn down). freedDuringCall: see TreeInvariants.
  static std::string run(const std::uint8_t* data, std::size_t size,
                         FreedTest freedDuringCall = nullptr,
                         void (*startCall)() = nullptr);
};

}  // namespace vf
