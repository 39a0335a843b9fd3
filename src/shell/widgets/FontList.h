#pragma once
// The font list of the text tab: one entry per installed face, in the order
// the font source lists them, each drawn at size 10 and, when asked, in its
// own typeface. A face name that is not installed (from a project made
// elsewhere) is shown selected, in italics, with "(未安装)" after it.

#include <QTreeWidget>

#include <string>
#include <vector>

namespace tessaly::shell {

class TFontList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit TFontList(QWidget* parent = nullptr);

  // Fills the list; showFontStyle draws each entry in its own face.
  void Fill(const std::vector<std::string>& faceNames, bool showFontStyle);
  // Selects each entry whose title equals faceName, or the not-installed
  // entry for it.
  void SelectFont(const QString& faceName);
  // The face of the selected entry; empty when none is selected.
  QString SelectedFont() const;

 signals:
  // The user clicked an entry, or moved the selection with the keys to
  // another face than the one last reported.
  void FontChosen(const QString& faceName);

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  void RemoveMissingEntry();

  QTreeWidgetItem* missing_ = nullptr;
  QString reported_;
};

}  // namespace tessaly::shell
