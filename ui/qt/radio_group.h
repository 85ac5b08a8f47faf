// A captioned group of radio buttons that reports one item index, -1 when no
// item is selected; the items fill the columns top to bottom.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QRadioButton;

namespace zelk {

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
