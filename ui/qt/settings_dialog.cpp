#include "ui/qt/settings_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "platform/cp932.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "tariff/ma_data.h"
#include "ui/model/area_set_list.h"
#include "ui/model/settings_records_file.h"
#include "ui/qt/dialog_text.h"
#include "ui/qt/fee_table_window.h"
#include "ui/qt/field_validator.h"
#include "ui/qt/help_pages.h"
#include "ui/qt/ma_reference.h"
#include "ui/qt/process_starter.h"
#include "ui/qt/radio_group.h"
#include "ui/qt/screen_fit.h"
#include "ui/qt/small_dialogs.h"

namespace zelk {
namespace {

constexpr int kGridColumnWidth = 266;
constexpr const char* kPanelProperty = "logPanel";

// The help page of each page, by the page's name.
struct HelpPage {
  const char* page;
  const char* file;
};
constexpr std::array<HelpPage, 6> kHelpPages = {{
    {"Tab_Opt", "Tab_Opt.html"},
    {"Tab_Log", "Tab_Log.html"},
    {"Tab_hodai", "Tab_Hod.html"},
    {"Tab_ReplaceNo", "Tab_R_No.html"},
    {"Tab_ReplaceName", "Tab_R_Na.html"},
    {"Tab_Areaset", "Tab_Aset.html"},
}};

QLabel* textLabel(QWidget* parent, const QString& text, const char* name = nullptr) {
  auto* label = new QLabel(text, parent);
  if (name) label->setObjectName(QString::fromLatin1(name));
  return label;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, const QString& hint = {}) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) edit->setToolTip(hint);
  return edit;
}

RadioGroup* radioGroup(QWidget* parent, const char* name, const QString& caption, const QStringList& items,
                       const QString& hint, int columns = 1) {
  auto* group = new RadioGroup(QString::fromLatin1(name), caption, items, columns, parent);
  if (!hint.isEmpty()) group->setToolTip(hint);
  return group;
}

QWidget* page(const char* name) {
  auto* widget = new QWidget;
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

std::string cellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? toCp932Text(item->text()) : std::string();
}

void readGrid(const QTableWidget* grid, ReplaceGrid& cells) {
  for (int row = 0; row < kReplaceGridRows; ++row)
    for (int column = 0; column < 2; ++column) cells[row][column] = cellText(grid, row, column);
}

void showGrid(QTableWidget* grid, const ReplaceGrid& cells) {
  for (int row = 0; row < kReplaceGridRows; ++row)
    for (int column = 0; column < 2; ++column)
      grid->setItem(row, column, new QTableWidgetItem(fromCp932(cells[row][column])));
}

}  // namespace

SettingsDialog::SettingsDialog(const DialogServices& services, const SettingsHelpers& helpers, QWidget* parent)
    : PlacedDialog(parent, PlacedWindow::Form3, QStringLiteral("Form3")), services_(services), helpers_(helpers) {
  setWindowTitle(QStringLiteral("各種設定"));
  setPlacement(services.placement);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PC_Option"));
  pages_->addTab(buildOptionPage(), QStringLiteral("各種設定"));
  pages_->addTab(buildLogPage(), QStringLiteral("参照ログ指定"));
  pages_->addTab(buildTelehodaiPage(), QStringLiteral("テレホーダイ番号指定"));
  pages_->addTab(buildReplaceNoPage(), QStringLiteral("番号置換指定"));
  pages_->addTab(buildReplaceNamePage(), QStringLiteral("接続先番号登録"));
  pages_->addTab(buildAreaSetPage(), QStringLiteral("料金区分指定"));

  auto* ok = dialogButton(this, "Button_OK", QStringLiteral("更新"),
                          QStringLiteral("設定ファイル[zelk.cfg]に記録します。"));
  auto* cancel = dialogButton(this, "Button_NG", QStringLiteral("取り消し"),
                              QStringLiteral("今までの登録・修正作業を無かったコトにします"));
  auto* help = dialogButton(this, "Button_Help", QStringLiteral("ヘルプ"),
                            QStringLiteral("表示の項目についてのヘルプが出ます"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &SettingsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, &SettingsDialog::showHelp);

  // The pages scroll inside the dialog when the screen is smaller than they
  // are (large scaling, a small screen): the buttons below always show.
  auto* scroller = new QScrollArea(this);
  scroller->setObjectName(QStringLiteral("PC_Option_Scroller"));
  scroller->setWidgetResizable(true);
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidget(pages_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroller, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(help);
  layout->addLayout(buttons);

  const QSize whole = pages_->sizeHint() + QSize(0, ok->sizeHint().height() + layout->spacing()) +
                      QSize(layout->contentsMargins().left() + layout->contentsMargins().right(),
                            layout->contentsMargins().top() + layout->contentsMargins().bottom());
  resize(fittedToScreen(*this, whole));

  showForm(form_);
}

QWidget* SettingsDialog::buildOptionPage() {
  QWidget* widget = page("Tab_Opt");

  auto* telnumGroup = new QGroupBox(QStringLiteral("=[tel#] 発信地指定"), widget);
  telnumGroup->setObjectName(QStringLiteral("GB_Telnum"));
  const QString telnumHint =
      QStringLiteral("あなたのご利用の電話番号を入力して下さい。ダブルクリックで、MAのリストがでます");
  telnumGroup->setToolTip(telnumHint);
  telnum_ = lineEdit(telnumGroup, "Edit_Telnum", telnumHint);
  limitEdit(telnum_, kNumberField);
  telnum_->installEventFilter(this);
  (new QVBoxLayout(telnumGroup))->addWidget(telnum_);

  auto* choiceGroup = new QGroupBox(QStringLiteral("=10/=15 テレチョイス指定"), widget);
  choiceGroup->setObjectName(QStringLiteral("GB_Telechoice"));
  choiceGroup->setToolTip(
      QStringLiteral("テレチョイスの設定です。ご利用の場合は市外･市内局番を下に入力して下さい。"));
  telechoice_ = new QButtonGroup(choiceGroup);
  auto* choiceLayout = new QVBoxLayout(choiceGroup);
  const std::array<std::pair<const char*, QString>, 4> buttons = {{
      {"RB_NoneTelechoice", QStringLiteral("利用せず")},
      {"RB_Telechoice10", QStringLiteral("テレチョイス10/INSテレチョイス10")},
      {"RB_Telechoice15", QStringLiteral("テレチョイス15/INSテレチョイス15")},
      {"RB_Telechoice30", QStringLiteral("テレチョイス30/INSテレチョイス30")},
  }};
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    auto* button = new QRadioButton(buttons[i].second, choiceGroup);
    button->setObjectName(QString::fromLatin1(buttons[i].first));
    telechoice_->addButton(button, i);
    choiceLayout->addWidget(button);
  }
  enterAtCheckedButton(*telechoice_);
  telechoiceAreas_ = lineEdit(
      choiceGroup, "Edit_Telechoice",
      QStringLiteral("例) 札幌011,新潟025,宇都宮028,東京03,大阪06を指定する場合「011,0252,0286,03,06」のようにコンマ[,]"
                     "で区切って指定して下さい。"));
  telechoiceAreas_->installEventFilter(this);
  limitEdit(telechoiceAreas_, kTelechoiceAreasField);
  choiceLayout->addWidget(telechoiceAreas_);

  deadline_ = radioGroup(widget, "RB_Deadline", QStringLiteral("=d 検針日指定"),
                         {QStringLiteral("5日"), QStringLiteral("10日"), QStringLiteral("15日"), QStringLiteral("20日"),
                          QStringLiteral("25日"), QStringLiteral("月末")},
                         QStringLiteral("NTTの通話料金の〆日を指定して下さい"), 6);
  zelkFee_ = radioGroup(widget, "RG_ZelkFee", QStringLiteral("=f 料金自力計算指定"),
                        {QStringLiteral("ログから代入"), QStringLiteral("zelk内部で全部計算")},
                        QStringLiteral("注意 : 読み込むログ自体に料金情報がない場合はオプション指定に関わらず内部で"
                                       "計算します。"));
  isdn_ = radioGroup(widget, "RG_Isdn", QStringLiteral("=i ISDN回線利用指定"),
                     {QStringLiteral("加入(アナログ)回線"), QStringLiteral("INS64(デジタル)回線")},
                     QStringLiteral("回線種別がわからない時は調べて下さい(^^;;;"));
  kdd_ = radioGroup(widget, "RG_Kdd", QStringLiteral("=k KDDI(001)利用指定"),
                    {QStringLiteral("KDDI利用"), QStringLiteral("KDDI利用せず")},
                    QStringLiteral("KDDIの「NTT加入電話」対象の国内電話サービス(001)の利用についての指定です。"));
  last_ = radioGroup(widget, "RG_Last", QStringLiteral("=l 最新データ出力指定"),
                     {QStringLiteral("全データ出力"), QStringLiteral("過去       ヶ月分出力")},
                     QStringLiteral("仕様 : Windows版では、最高で最新12ヶ月分しか読み込みません。"));
  lastMonths_ = lineEdit(last_, "Edit_Last");
  lastMonths_->setMaximumWidth(48);
  static_cast<QGridLayout*>(last_->layout())->addWidget(lastMonths_, 1, 1);
  ttnet_ = radioGroup(widget, "RG_Ttnet", QStringLiteral("=q 九州電話/=t 東京電話利用指定"),
                      {QStringLiteral("東京電話利用"), QStringLiteral("九州電話利用"), QStringLiteral("利用せず")},
                      QStringLiteral("九州電話/東京電話ご利用の方はこのオプションを指定して下さい"));
  estimation_ = radioGroup(widget, "RG_Estimation", QStringLiteral("=e 当月推計計算"),
                           {QStringLiteral("推計しない"), QStringLiteral("推計する")},
                           QStringLiteral("１ヶ月の通話料を推計させるかのオプションです"));
  fletsi_ = radioGroup(widget, "RG_Fletsi", QStringLiteral("=z フレッツ・Isdn試算指定"),
                       {QStringLiteral("指定あり"), QStringLiteral("指定なし")}, QString());

  auto* layout = new QGridLayout(widget);
  layout->addWidget(telnumGroup, 0, 0);
  layout->addWidget(choiceGroup, 1, 0, 3, 1);
  layout->addWidget(deadline_, 4, 0, 1, 2);
  layout->addWidget(zelkFee_, 0, 1);
  layout->addWidget(isdn_, 1, 1);
  layout->addWidget(kdd_, 2, 1);
  layout->addWidget(last_, 3, 1);
  layout->addWidget(ttnet_, 0, 2);
  layout->addWidget(estimation_, 1, 2);
  layout->addWidget(fletsi_, 2, 2);
  return widget;
}

QWidget* SettingsDialog::buildLogPage() {
  QWidget* widget = page("Tab_Log");
  auto* layout = new QVBoxLayout(widget);
  for (int i = 0; i < static_cast<int>(kMaxLogs); ++i) {
    const QString n = QString::number(i + 1);
    auto* panel = new QFrame(widget);
    panel->setObjectName(QStringLiteral("Panel_Terminal") + n);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* option = new QLabel(panel);
    option->setObjectName(QStringLiteral("Label_Terminal%1_Opt").arg(n));
    option->setMinimumWidth(40);
    auto* file = new QLabel(panel);
    file->setObjectName(QStringLiteral("Label_Terminal%1_FName").arg(n));
    file->setTextFormat(Qt::PlainText);  // a file name, never markup
    auto* row = new QHBoxLayout(panel);
    row->addWidget(option);
    row->addWidget(file, 1);
    for (QWidget* target : {static_cast<QWidget*>(panel), static_cast<QWidget*>(option), static_cast<QWidget*>(file)}) {
      target->setProperty(kPanelProperty, i);
      target->installEventFilter(this);
    }
    logPanels_[i] = panel;
    logOptions_[i] = option;
    logFiles_[i] = file;
    layout->addWidget(panel);
  }
  auto* append = dialogButton(widget, "Button_Append", QStringLiteral("追加"),
                              QStringLiteral("読み込みファイルを追加します。"));
  auto* remove = dialogButton(widget, "Button_Delete", QStringLiteral("削除"),
                              QStringLiteral("登録されているファイルを削除するウィンドウが開きます"));
  connect(append, &QPushButton::clicked, this, &SettingsDialog::appendLog);
  connect(remove, &QPushButton::clicked, this, &SettingsDialog::deleteLogFromList);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(append);
  buttons->addWidget(remove);
  layout->addLayout(buttons);
  layout->addStretch();
  return widget;
}

QWidget* SettingsDialog::buildTelehodaiPage() {
  QWidget* widget = page("Tab_hodai");
  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(textLabel(
      widget, QStringLiteral("テレホーダイの対象番号をここに指定するコトにより、指定番号での、テレホーダイの利用度数を計算"
                             "するように")));
  layout->addWidget(textLabel(widget, QStringLiteral("なります。")));
  layout->addWidget(
      textLabel(widget, QStringLiteral("なお自動で、指定番号を「対応番号か」「サービス種別は何か」判断します。")));
  telehodai_[0] = lineEdit(widget, "Edit_num1");
  telehodai_[1] = lineEdit(widget, "Edit_num2");
  for (QLineEdit* edit : telehodai_) {
    limitEdit(edit, kTelehodaiNumberField);
    edit->setMaximumWidth(200);
    layout->addWidget(edit);
  }
  layout->addStretch();
  return widget;
}

QTableWidget* SettingsDialog::replaceGrid(const char* name, const QString& fromHeading, const QString& toHeading) {
  auto* grid = new QTableWidget(kReplaceGridRows, 2);
  grid->setObjectName(QString::fromLatin1(name));
  grid->setHorizontalHeaderLabels({fromHeading, toHeading});
  grid->verticalHeader()->hide();
  grid->setColumnWidth(0, kGridColumnWidth);
  grid->setColumnWidth(1, kGridColumnWidth);
  return grid;
}

QWidget* SettingsDialog::buildReplaceNoPage() {
  QWidget* widget = page("Tab_ReplaceNo");
  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(textLabel(
      widget, QStringLiteral(" 各通信履歴での記録番号桁数が12桁までとなっているモノも多く、LCR/ACR機能等を利用せず各NCC"
                             "の番号を")));
  layout->addWidget(textLabel(widget, QStringLiteral("付加する事で相手番号が特定できない場合があります。")));
  layout->addWidget(textLabel(widget, QStringLiteral(" それを補正する為に設定して下さい。")));
  replaceNo_ = replaceGrid("SG_ReplaceNo", QStringLiteral("通信履歴に記録されている番号"),
                           QStringLiteral("置換したい番号"));
  replaceNo_->setItemDelegate(new LimitedCellDelegate({kNumberField, kNumberField}, replaceNo_));
  layout->addWidget(replaceNo_, 1);
  layout->addWidget(
      textLabel(widget, QStringLiteral(" 但し、仕様として20ヶ所までです。(途中空白行があっても問題ありません)"), "Label7"));
  return widget;
}

QWidget* SettingsDialog::buildReplaceNamePage() {
  QWidget* widget = page("Tab_ReplaceName");
  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(textLabel(widget, QStringLiteral("一部の通信履歴では、電話番号の出力が行われていません。")));
  layout->addWidget(textLabel(widget, QStringLiteral("その為、接続先の名称から番号に置換します。")));
  replaceName_ = replaceGrid("SG_ReplaceName", QStringLiteral("通信履歴に記録されている接続先名"),
                             QStringLiteral("置換したい番号"));
  replaceName_->setItemDelegate(new LimitedCellDelegate({kConnectionNameField, kNumberField}, replaceName_));
  layout->addWidget(replaceName_, 1);
  layout->addWidget(textLabel(
      widget, QStringLiteral(" 接続先名の長さは半角38文字までです。それ以上は切り捨てます。"), "Label11"));
  layout->addWidget(
      textLabel(widget, QStringLiteral(" 但し、仕様として20ヶ所までです。(途中空白行があっても問題ありません)"), "Label10"));
  return widget;
}

QWidget* SettingsDialog::buildAreaSetPage() {
  QWidget* widget = page("Tab_Areaset");
  auto* layout = new QVBoxLayout(widget);
  const std::array<const char*, 8> lines = {
      " 一部 通信履歴ファイルでは、電話料金の出力が行われていません。",
      " また、料金自力計算指定オプション(=f)を指定している時は、全部自前計算しないとなりません。",
      " またまた、出力されるとしても、大抵の場合NTTのモノが前提となっております。東京電話や九州電話、タイム",
      "プラス、エリアプラス、KDDI(001)の料金計算も自前でしないとなりません。",
      "その為、計算する為の資料を設定します。但し、現在の使用上50ヶ所までです。",
      " 但し、以下の場合はzelkが勝手に料金帯を判別します。",
      "・市外局番をつけていない「区域内通話」",
      "・[各種設定]-[発信地指定](=tel#)オプションが指定してある場合で、[ma.zlk]に情報があるすべての国内通話先",
  };
  for (std::size_t i = 0; i < lines.size(); ++i)
    layout->addWidget(textLabel(widget, QString::fromUtf8(lines[i]), i == 4 ? "Label16" : nullptr));

  areaSet_ = new QComboBox(widget);
  areaSet_->setObjectName(QStringLiteral("CB_Areaset"));
  areaSet_->setEditable(true);
  areaSet_->setInsertPolicy(QComboBox::NoInsert);
  areaSet_->setMinimumWidth(160);
  limitEdit(areaSet_->lineEdit(), kNumberField);
  auto* change = dialogButton(widget, "Button_AreaChange", QStringLiteral("追加・変更"),
                              QStringLiteral("指定した番号について、追加あるいは変更処理します。"));
  auto* remove = dialogButton(widget, "Button_AreaDelete", QStringLiteral("削除"),
                              QStringLiteral("指定した番号を削除します。"));
  connect(change, &QPushButton::clicked, this, &SettingsDialog::addOrChangeArea);
  connect(remove, &QPushButton::clicked, this, &SettingsDialog::deleteArea);
  auto* row = new QHBoxLayout;
  row->addWidget(areaSet_);
  row->addWidget(change);
  row->addWidget(remove);
  row->addStretch();
  layout->addLayout(row);
  layout->addStretch();
  return widget;
}

void SettingsDialog::load() {
  load(readDialogConfiguration(services_.programDir, *services_.maSearch));
}

void SettingsDialog::load(const Configuration& records) {
  records_ = records;
  // The controls that load leaves alone keep what they show.
  SettingsForm form = currentForm();
  loadSettingsForm(records_, form);
  form_ = form;
  showForm(form_);
}

SettingsForm SettingsDialog::currentForm() const {
  SettingsForm form;
  form.telnum = toCp932Text(telnum_->text());
  form.telechoice = telechoice_->checkedId() < 0 ? kTelechoiceNone : telechoice_->checkedId();
  form.telechoiceAreas = toCp932Text(telechoiceAreas_->text());
  form.deadline = deadline_->itemIndex();
  form.zelkFee = zelkFee_->itemIndex();
  form.isdn = isdn_->itemIndex();
  form.kdd = kdd_->itemIndex();
  form.last = last_->itemIndex();
  form.lastMonths = toCp932Text(lastMonths_->text());
  form.ttnet = ttnet_->itemIndex();
  form.estimation = estimation_->itemIndex();
  form.fletsi = fletsi_->itemIndex();
  for (std::size_t i = 0; i < telehodai_.size(); ++i) form.telehodai[i] = toCp932Text(telehodai_[i]->text());
  readGrid(replaceNo_, form.replaceNo);
  readGrid(replaceName_, form.replaceName);
  form.logs = form_.logs;
  form.areaSet = form_.areaSet;
  return form;
}

void SettingsDialog::showForm(const SettingsForm& form) {
  telnum_->setText(fromCp932(form.telnum));
  if (QAbstractButton* button = telechoice_->button(form.telechoice)) button->setChecked(true);
  telechoiceAreas_->setText(fromCp932(form.telechoiceAreas));
  deadline_->setItemIndex(form.deadline);
  zelkFee_->setItemIndex(form.zelkFee);
  isdn_->setItemIndex(form.isdn);
  kdd_->setItemIndex(form.kdd);
  last_->setItemIndex(form.last);
  lastMonths_->setText(fromCp932(form.lastMonths));
  ttnet_->setItemIndex(form.ttnet);
  estimation_->setItemIndex(form.estimation);
  fletsi_->setItemIndex(form.fletsi);
  for (std::size_t i = 0; i < telehodai_.size(); ++i) telehodai_[i]->setText(fromCp932(form.telehodai[i]));
  showGrid(replaceNo_, form.replaceNo);
  showGrid(replaceName_, form.replaceName);
  refreshLogPanels();
  refillAreaSet();
}

bool SettingsDialog::store() {
  SettingsForm form = currentForm();
  if (!storeSettingsForm(form, records_, *services_.maSearch)) return false;
  writeDialogConfiguration(records_);
  return true;
}

bool SettingsDialog::textsFit() {
  struct Text {
    QString label;
    QString text;
    FieldLimit field;
    QWidget* edit;
    int row;  // grid row, -1 for an edit
    int column;
  };
  std::vector<Text> texts = {
      {QStringLiteral("=[tel#] 発信地指定"), telnum_->text(), kNumberField, telnum_, -1, 0},
      {QStringLiteral("=10/=15 テレチョイス指定"), telechoiceAreas_->text(), kTelechoiceAreasField, telechoiceAreas_, -1, 0},
  };
  for (std::size_t i = 0; i < telehodai_.size(); ++i)
    texts.push_back({QStringLiteral("テレホーダイ番号指定 %1番目").arg(i + 1), telehodai_[i]->text(),
                     kTelehodaiNumberField, telehodai_[i], -1, 0});
  const std::array<std::pair<QTableWidget*, QString>, 2> grids = {
      {{replaceNo_, QStringLiteral("番号置換指定 %1行目")}, {replaceName_, QStringLiteral("接続先番号登録 %1行目")}}};
  for (const auto& [grid, label] : grids) {
    for (int row = 0; row < kReplaceGridRows; ++row) {
      for (int column = 0; column < 2; ++column) {
        const QTableWidgetItem* item = grid->item(row, column);
        const FieldLimit field = grid == replaceName_ && column == 0 ? kConnectionNameField : kNumberField;
        if (item) texts.push_back({label.arg(row + 1), item->text(), field, grid, row, column});
      }
    }
  }
  for (const Text& text : texts) {
    const std::optional<std::string> problem = textProblem(text.label, text.text, text.field);
    if (!problem) continue;
    showMessage(*problem + sjis("\n[zelk.cfg]へは登録しません。"));
    for (QWidget* page = text.edit; page; page = page->parentWidget()) {
      if (pages_->indexOf(page) >= 0) {
        pages_->setCurrentWidget(page);
        break;
      }
    }
    if (text.row >= 0) static_cast<QTableWidget*>(text.edit)->setCurrentCell(text.row, text.column);
    text.edit->setFocus();
    return false;
  }
  return true;
}

void SettingsDialog::accept() {
  if (!textsFit()) return;
  if (std::optional<std::string> problem = settingsFormProblem(currentForm())) {
    showMessage(*problem);
    pages_->setCurrentWidget(pages_->findChild<QWidget*>(QStringLiteral("Tab_Opt")));
    lastMonths_->setFocus();
    return;
  }
  PlacedDialog::accept();
}

void SettingsDialog::refreshLogPanels() {
  for (int i = 0; i < static_cast<int>(kMaxLogs); ++i) {
    const LogPanelText text = form_.logs.panel(i);
    logOptions_[i]->setText(fromCp932(text.option));
    logFiles_[i]->setText(fromCp932(text.fileName));
  }
}

void SettingsDialog::appendLog() {
  helpers_.newLog->clearFileName();
  if (helpers_.newLog->exec() == QDialog::Accepted)
    form_.logs.append(helpers_.newLog->selectedFormat(), toCp932Text(helpers_.newLog->fileName()));
  refreshLogPanels();
}

void SettingsDialog::deleteLogFromList() {
  helpers_.deleteLog->setFileNames(fromCp932(form_.logs.fileNames()));
  if (helpers_.deleteLog->exec() == QDialog::Accepted) form_.logs.remove(helpers_.deleteLog->selectedIndex());
  refreshLogPanels();
}

void SettingsDialog::logPanelDoubleClicked(int panel) {
  if (panel >= form_.logs.size()) {
    appendLog();
    return;
  }
  helpers_.confirmDelete->setFileName(fromCp932(form_.logs.at(panel).fileName));
  if (helpers_.confirmDelete->exec() == QDialog::Accepted) form_.logs.remove(panel);
  refreshLogPanels();
}

void SettingsDialog::refillAreaSet() {
  const QString typed = areaSet_->currentText();
  areaSet_->clear();
  areaSet_->addItems(fromCp932(form_.areaSet.numbers()));
  areaSet_->setEditText(typed);
}

void SettingsDialog::addOrChangeArea() {
  const MaLookup& origin = records_.origin;
  const MaList* maList = services_.maList;
  const BandProposal propose = [&origin, maList](std::string_view number) {
    return origin.found() && maList ? maList->distanceBandOf(number, origin) : DistanceBand::UnknownDistance;
  };
  const BandQuestion ask = [this](const std::string& number, DistanceBand band) {
    return helpers_.feeTable->askBand(fromCp932(number), band);
  };
  const AreaChange outcome = changeAreaEntry(form_.areaSet, toCp932Text(areaSet_->currentText()), propose, ask);
  if (outcome == AreaChange::Added || outcome == AreaChange::Changed) refillAreaSet();
}

void SettingsDialog::deleteArea() {
  if (deleteAreaEntry(form_.areaSet, toCp932Text(areaSet_->currentText())) == AreaDelete::Deleted)
    refillAreaSet();
}

QString SettingsDialog::chooseMa() {
  if (!services_.maList || helpers_.maReference->exec() != QDialog::Accepted) return {};
  const int index = helpers_.maReference->selectedIndex();
  if (index < 0) return {};
  return fromCp932(services_.maList->areaCode(static_cast<std::size_t>(index)));
}

void SettingsDialog::pickOrigin() {
  const QString code = chooseMa();
  if (!code.isEmpty()) telnum_->setText(code);
}

void SettingsDialog::pickTelechoiceArea() {
  const QString code = chooseMa();
  if (code.isEmpty()) return;
  const QString areas = telechoiceAreas_->text();
  telechoiceAreas_->setText(areas.isEmpty() ? code : areas + QLatin1Char(',') + code);
}

ProcessStarter& SettingsDialog::starter() const {
  return services_.starter ? *services_.starter : systemProcessStarter();
}

void SettingsDialog::showHelp() {
  const QString name = pages_->currentWidget()->objectName();
  for (const HelpPage& help : kHelpPages)
    if (name == QLatin1String(help.page))
      if (std::optional<std::string> path = existingHelpPage(services_.programDir, help.file))
        starter().openDocument(*path);
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonDblClick) return PlacedDialog::eventFilter(watched, event);
  if (watched == telnum_) {
    pickOrigin();
    return true;
  }
  if (watched == telechoiceAreas_) {
    pickTelechoiceArea();
    return true;
  }
  const QVariant panel = watched->property(kPanelProperty);
  if (panel.isValid()) {
    logPanelDoubleClicked(panel.toInt());
    return true;
  }
  return PlacedDialog::eventFilter(watched, event);
}

}  // namespace zelk
