// VLayout: base of the containers that place their own children and size themselves to them.
#pragma once

#include <cstddef>
#include <vector>

#include "../core/VWidget.h"

/// A layout places its visible children in the order the program added them, Margin pixels in
/// from its edges, and sizes itself to them: Width and Height are the children's extent with the
/// margins on both sides (never less than MinWidth and MinHeight), and setWidth and setHeight
/// change nothing. Children keep their own sizes; an invisible child takes no place. The layout
/// draws nothing (its children draw), takes no focus and no drag, and keeps its children's order
/// when one is pressed; a press on its empty space is taken by it like by any other widget
/// without a look of its own: its owner raises it, nothing else happens.
///
/// Following the children. A widget tells its owner nothing when its size or visibility
/// changes (a label sizes itself to a new caption, a caption button widens for its caption, the
/// program hides a child), so a layout measures all its children again at every pass, and a
/// pass runs:
///   - before the layout is drawn or routed a mouse event;
///   - before any child's geometry is read or set (VWidget's deferred layout, which a layout
///     keeps requested at all times);
///   - before the layout's own Width or Height is read (a layout in a layout is measured
///     after its own pass), and at layout().
/// So a program, a hit test and the screen see the children where the layout puts them now.
/// Keys do not wait for it: they follow the focus chain, not places. A pass costs one look at
/// each child and places all of them; the layout's own size changes run no onResize.
///
/// A child that joins is placed at once where the next child goes, from the siblings as the
/// layout last saw them, and its own geometry calls run no pass until the next pass: it is
/// still building itself (a label sizes itself in its own constructor), so n children added in
/// a row cost one pass, not n. Its place along the row, and its cell in a grid, do not depend
/// on its own size; across a row aligned at the centre or the end, and when its constructor
/// places it itself, it reaches its place at the next pass. So does everything else.
class VLayout : public VWidget {
 protected:
  int Margin;  ///< around all the children, on every side

  explicit VLayout(VWidget* owner);

 public:
  VLayout(const VLayout&) = delete;
  VLayout& operator=(const VLayout&) = delete;

  void bringToFront(VWidget* child) override;  ///< nothing: the child order is the layout order
  void layout() override;                      ///< a pass, now
  /// Places a child that joined (see above) and defers the rest to the next pass.
  void childrenChanged() override;
  int getWidth() override;             ///< after a pass
  int getHeight() override;            ///< after a pass
  void setWidth(int newValue) override;   ///< nothing: the children decide
  void setHeight(int newValue) override;  ///< nothing: the children decide
  void Init() override;
  ~VLayout() override;

  virtual int getMargin();
  /// Stored: the children move at the next pass.
  virtual void setMargin(int newValue);

 protected:
  /// Places every visible child but skip (null for none) as if skip were not there, sets the
  /// layout's size with setOwnSize, and remembers what placeNext and fold need about the
  /// children it placed. The base places nothing and is only the margins.
  virtual void arrange(const VWidget* skip);
  /// Adds child, which joined after the children arrange (and earlier folds) saw, to what
  /// placeNext needs, with its size now; nothing when it is invisible.
  virtual void fold(VWidget* child);
  /// Puts child where a child joining after those seen so far goes.
  virtual void placeNext(VWidget* child);
  /// A setting that moves the children changed: the next pass places all of them.
  void settingsChanged();
  /// Width and Height, given in 64 bits, held within int and at least the minimums. Assigned
  /// directly: no layout(), no onResize.
  void setOwnSize(long long width, long long height);
  /// The children, oldest first. Children has the newest in front; a copy, so a pass never
  /// walks the list itself.
  std::vector<VWidget*> inOrder() const;

 private:
  static void finishPass(VWidget* self, const VWidget* placed);
  void pass();
  std::size_t Count = 0;       ///< children at the last childrenChanged: was the change an add?
  VWidget* Joining = nullptr;  ///< the child placed when it joined, until a pass or a fold
  /// What arrange and fold remembered still describes the children before Joining: no pass has
  /// run since (a pass may come from a child's setter, just before the child changes).
  bool Known = false;
  bool Arranging = false;  ///< a pass or a placement is running: nested requests wait for it
};
