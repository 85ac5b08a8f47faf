#include "ui/qt/small_dialogs.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "ui/model/log_list.h"
#include "ui/qt/field_validator.h"

namespace zelk {
namespace {

std::optional<QString> runFileDialog(QWidget* parent, const QStringList& filters, int filterIndex,
                                     const QString& lastName) {
  QFileDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters(filters);
  if (filterIndex >= 1 && filterIndex <= filters.size()) dialog.selectNameFilter(filters[filterIndex - 1]);
  if (!lastName.isEmpty()) dialog.selectFile(lastName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QHBoxLayout* buttonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* button : buttons) row->addWidget(button);
  return row;
}

}  // namespace

QPushButton* dialogButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) button->setToolTip(hint);
  button->setAutoDefault(false);
  return button;
}

AboutBox::AboutBox(QWidget* parent) : PlacedDialog(parent, PlacedWindow::Form2, QStringLiteral("Form2")) {
  setWindowTitle(QStringLiteral("About zelk for Windows..."));
  auto* title = label(this, "Label1", QStringLiteral("zelk for Windows Version " ZELK_VERSION_TEXT));
  QFont font(QStringLiteral("ＭＳ Ｐ明朝"));
  font.setPixelSize(21);
  font.setBold(true);
  font.setItalic(true);
  title->setFont(font);
  title->setStyleSheet(QStringLiteral("color: black"));
  // The one button closes the box; Esc closes it as well.
  auto* ok = dialogButton(this, "OK", QStringLiteral("OK"), QStringLiteral("クリックすれば閉じます。"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title, 1, Qt::AlignCenter);
  layout->addLayout(buttonRow({ok}));
  setFixedSize(QSize(326, 116).expandedTo(sizeHint()));
}

NewLogDialog::NewLogDialog(QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::Form4, QStringLiteral("Form4")), picker_(runFileDialog) {
  setWindowTitle(QStringLiteral("新規登録"));
  formats_ = new QListWidget(this);
  formats_->setObjectName(QStringLiteral("OptionLB"));
  formats_->setToolTip(QStringLiteral("この中から 読みこむ形式を指定して下さい。"));
  for (const auto& choice : logFormatChoices()) formats_->addItem(QString::fromUtf8(choice.listText));
  formats_->setCurrentRow(-1);
  // Every format in view, none behind a scroll bar.
  formats_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  formats_->setMinimumHeight(formats_->sizeHintForRow(0) * formats_->count() + 2 * formats_->frameWidth());
  connect(formats_, &QListWidget::itemDoubleClicked, this, [this] { chooseFile(); });

  fileName_ = new QLineEdit(this);
  fileName_->setObjectName(QStringLiteral("LogEdit"));
  fileName_->setToolTip(QStringLiteral("ファイル名を指定しないと、デフォルトのファイル名が指定されたコトとなります。"));
  limitEdit(fileName_, kLogPathField);

  auto* ok = dialogButton(this, "OkButton", QStringLiteral("追加"), QStringLiteral("追加登録します。"));
  auto* cancel = dialogButton(this, "CancelButton", QStringLiteral("取り消し"), QStringLiteral("無かったコトにします。"));
  auto* browse = dialogButton(this, "DialogButton", QStringLiteral("参照"),
                              QStringLiteral("ダイアログを開いて、探して下さい。"));
  connect(ok, &QPushButton::clicked, this, &NewLogDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, &NewLogDialog::chooseFile);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label(this, "TOLabel", QStringLiteral("種別")));
  layout->addWidget(formats_, 1);
  layout->addWidget(label(this, "LOGLabel", QStringLiteral("ログ ファイル名")));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileName_, 1);
  fileRow->addWidget(browse);
  layout->addLayout(fileRow);
  layout->addLayout(buttonRow({ok, cancel}));
  resize(QSize(255, 227).expandedTo(sizeHint()));
}

QStringList NewLogDialog::fileFilters() {
  QStringList filters;
  for (const auto& choice : logFormatChoices())
    filters << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(choice.filterText),
                                             QString::fromLatin1(choice.filterPattern));
  // "*.*" of the Windows dialog; names without a dot are files too.
  filters << QStringLiteral("すべてのファイル (*)");
  return filters;
}

void NewLogDialog::accept() {
  if (selectedFormat() < 0) {
    showMessage(sjis("読み込む形式を、上の一覧から選んで下さい。"));
    formats_->setFocus();
    return;
  }
  if (std::optional<std::string> problem = textProblem(QStringLiteral("ログ ファイル名"), fileName(), kLogPathField)) {
    showMessage(*problem + sjis("\n登録はしません。"));
    fileName_->setFocus();
    return;
  }
  PlacedDialog::accept();
}

void NewLogDialog::clearFileName() { fileName_->clear(); }

int NewLogDialog::selectedFormat() const {
  return formats_->selectedItems().isEmpty() ? -1 : formats_->currentRow();
}

QString NewLogDialog::fileName() const { return fileName_->text(); }

void NewLogDialog::chooseFile() {
  if (std::optional<QString> chosen = picker_(this, fileFilters(), filterIndexFor(selectedFormat()), lastChosen_))
    lastChosen_ = *chosen;
  fileName_->setText(lastChosen_);
}

DeleteLogDialog::DeleteLogDialog(QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::Form5, QStringLiteral("Form5")) {
  setWindowTitle(QStringLiteral("削除"));
  logs_ = new QListWidget(this);
  logs_->setObjectName(QStringLiteral("LogLB"));
  logs_->setToolTip(QStringLiteral("この中から削除したいモノを指定して下さい。"));
  connect(logs_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  auto* ok = dialogButton(this, "OKButton", QStringLiteral("削除"), QStringLiteral("指定したモノを削除します。"));
  auto* cancel = dialogButton(this, "CancelButton", QStringLiteral("取り消し"), QStringLiteral("無かったコトとします。"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(logs_, 1);
  layout->addLayout(buttonRow({ok, cancel}));
  setFixedSize(QSize(433, 123).expandedTo(sizeHint()));
}

void DeleteLogDialog::setFileNames(const QStringList& names) {
  logs_->clear();
  logs_->addItems(names);
  logs_->setCurrentRow(-1);
}

int DeleteLogDialog::selectedIndex() const {
  return logs_->selectedItems().isEmpty() ? -1 : logs_->currentRow();
}

RecalculateDialog::RecalculateDialog(QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::Form6, QStringLiteral("Form6")) {
  setWindowTitle(QStringLiteral("どうする??"));
  auto* again = dialogButton(this, "Button1", QStringLiteral("演算しなおし"),
                             QStringLiteral("zelk for Windowsを再起動します。"));
  auto* keep = dialogButton(this, "Button2", QStringLiteral("現状のまま"),
                            QStringLiteral("このウインドウを閉じるだけです。"));
  connect(again, &QPushButton::clicked, this, &QDialog::accept);
  connect(keep, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label(this, "Label1", QStringLiteral("新環境下で データを再演算しますか?")));
  layout->addLayout(buttonRow({again, keep}));
  setFixedSize(QSize(240, 65).expandedTo(sizeHint()));
}

ConfirmDeleteDialog::ConfirmDeleteDialog(QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::Form9, QStringLiteral("Form9")) {
  setWindowTitle(QStringLiteral("削除しちゃっていいの??"));
  fileName_ = label(this, "Label2", QString());
  fileName_->setFixedWidth(357);
  fileName_->setWordWrap(false);
  fileName_->setTextFormat(Qt::PlainText);
  auto* remove = dialogButton(this, "Button1", QStringLiteral("削除"));
  auto* cancel = dialogButton(this, "Button2", QStringLiteral("キャンセル"));
  remove->setDefault(true);
  connect(remove, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label(this, "Label1", QStringLiteral("以下のファイルを登録削除しますか??")));
  layout->addWidget(fileName_);
  layout->addLayout(buttonRow({remove, cancel}));
  setFixedSize(QSize(372, 93).expandedTo(sizeHint()));
}

void ConfirmDeleteDialog::setFileName(const QString& name) { fileName_->setText(name); }

}  // namespace zelk
