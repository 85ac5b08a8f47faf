// A captioned group of radio buttons that reports one item index, -1 when no
// item is selected; the items fill the columns top to bottom.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;

namespace zelk {

// Makes the group one tab stop that enters at its checked button (the first
// when none is checked), so that Tab into the group and then Space does not
// change the setting; the arrow keys move within the group.
void enterAtCheckedButton(QButtonGroup& group);

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& name, const QString& caption, const QStringList& items, int columns = 1,
             QWidget* parent = nullptr);

  int itemIndex() const { return buttons_.checkedId(); }
  // -1 clears the selection.
  void setItemIndex(int index);
  int count() const { return static_cast<int>(buttons_.buttons().size()); }
  QRadioButton* item(int index) const;

 Q_SIGNALS:
  void itemChosen(int index);

 private:
  QButtonGroup buttons_;
};

}  // namespace zelk
