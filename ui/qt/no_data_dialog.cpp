#include "ui/qt/no_data_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelk {

NoDataDialog::NoDataDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("Form7");
  setWindowTitle(QString::fromUtf8("データがわからないよぉ(T_T)"));
  // Only a close box: no help button, no resizing.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFont(QFont(QString::fromUtf8("ＭＳ Ｐゴシック"), 9));

  auto* label1 = new QLabel(QString::fromUtf8("読み込みデータがありません。"), this);
  label1->setObjectName("Label1");
  auto* label2 = new QLabel(QString::fromUtf8("オプション設定して、データを読み込ませますか??"), this);
  label2->setObjectName("Label2");

  auto* ok = new QPushButton(QString::fromUtf8("設定する"), this);
  ok->setObjectName("Ok_Button");
  ok->setToolTip(QString::fromUtf8("初期設定を行います。"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] { done(kConfigure); });

  auto* ng = new QPushButton(QString::fromUtf8("やめる"), this);
  ng->setObjectName("NG_Button");
  ng->setToolTip(QString::fromUtf8("zelk for Windowsを終了させます。"));
  connect(ng, &QPushButton::clicked, this, [this] { done(kQuit); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(ng);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1);
  layout->addWidget(label2);
  layout->addLayout(buttons);
  resize(402, 103);
}

}  // namespace zelk
