#include "ui/qt/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

namespace zelk {
namespace {

void giveTabStopToChecked(const QButtonGroup& group) {
  const QList<QAbstractButton*> buttons = group.buttons();
  QAbstractButton* stop = group.checkedButton();
  if (!stop && !buttons.isEmpty()) stop = buttons.front();
  for (QAbstractButton* button : buttons)
    button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace

void enterAtCheckedButton(QButtonGroup& group) {
  giveTabStopToChecked(group);
  QObject::connect(&group, &QButtonGroup::buttonToggled, &group, [&group] { giveTabStopToChecked(group); });
}

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent) {
  setObjectName(name);
  auto* layout = new QGridLayout(this);
  const int count = static_cast<int>(items.size());
  const int rows = columns > 0 ? (count + columns - 1) / columns : count;
  for (int i = 0; i < count; ++i) {
    auto* button = new QRadioButton(items[i], this);
    button->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
    buttons_.addButton(button, i);
    layout->addWidget(button, i % rows, i / rows);
  }
  connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::itemChosen);
  enterAtCheckedButton(buttons_);
}

void RadioGroup::setItemIndex(int index) {
  if (index >= 0 && index < count()) {
    buttons_.button(index)->setChecked(true);
    return;
  }
  buttons_.setExclusive(false);
  for (QAbstractButton* button : buttons_.buttons()) button->setChecked(false);
  buttons_.setExclusive(true);
}

QRadioButton* RadioGroup::item(int index) const {
  return static_cast<QRadioButton*>(buttons_.button(index));
}

}  // namespace zelk
