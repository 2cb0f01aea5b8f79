// The misc page "Sonstiges": the mirror centre, the view and the preview.

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "ui/Unitobt.h"
#include "ui/control_setup.h"
#include "ui/page_texts.h"
#include "ui/widgets/paint_box.h"
#include "ui/widgets/spin_edit.h"
#include "ui/window_fonts.h"

namespace ui {
namespace {

constexpr int kListRowHeight = 16;

QComboBox* MakeDropDownList(QWidget* parent, const char* name,
                            const QRect& place, const QStringList& items,
                            const QString& hint) {
  auto* list = MakeControl<QComboBox>(parent, name, place);
  list->addItems(items);
  for (int i = 0; i < list->count(); ++i) {
    list->setItemData(i, QSize(0, kListRowHeight), Qt::SizeHintRole);
  }
  list->setToolTip(hint);
  list->setEnabled(false);
  return list;
}

QLabel* MakeCentreLabel(QWidget* parent, const char* name, const QRect& place,
                        const QString& text) {
  auto* label = MakeControl<QLabel>(parent, name, place);
  label->setText(text);
  label->setFont(CentreLabelFont());
  QPalette black_text = label->palette();
  black_text.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(black_text);
  return label;
}

SpinEdit* MakeCentreEdit(QWidget* parent, const char* name, const QRect& place,
                         const QString& hint) {
  auto* edit = MakeControl<SpinEdit>(parent, name, place);
  edit->SetIncrement(10);
  edit->SetValue(0);
  edit->setToolTip(hint);
  return edit;
}

}  // namespace

void TForm1::BuildMiscPage(QWidget* page) {
  BuildCentreGroup(page);
  SonstOK = MakeButton(page, "SonstOK", QRect(18, 216, 81, 33), kComputeCaption,
                       kComputeHint);
  SonstOK->setEnabled(false);
  SonstAbbrechen = MakeButton(page, "SonstAbbrechen", QRect(112, 216, 81, 33),
                              kQuitCaption, kQuitHint);
  SonstHilfe = MakeButton(page, "SonstHilfe", QRect(208, 216, 33, 33),
                          kHelpCaption, kHelpHint);
  BuildPreviewPanel(page);
  GroupBox4 = MakeGroupBox(page, "GroupBox4", QRect(18, 150, 225, 55),
                           QStringLiteral("Ansicht"));
  AnsichtComboBox = MakeDropDownList(
      GroupBox4, "AnsichtComboBox", QRect(10, 21, 205, 24),
      {QStringLiteral("3D - Ansicht (Standard)"),
       QStringLiteral("ZX - Ansicht (vorn)"),
       QStringLiteral("YX - Ansicht (oben)"),
       QStringLiteral("ZY - Ansicht (rechts)")},
      QStringLiteral("aus welcher Ansicht soll Vorschau gezeigt werden?"));
}

void TForm1::BuildCentreGroup(QWidget* page) {
  GroupBox1 = MakeGroupBox(page, "GroupBox1", QRect(18, 2, 227, 141),
                           QStringLiteral("Spiegel-Mittelpunkt"));
  Label1 = MakeCentreLabel(GroupBox1, "Label1", QRect(45, 21, 23, 29),
                           QStringLiteral("X:"));
  Label2 = MakeCentreLabel(GroupBox1, "Label2", QRect(45, 61, 22, 29),
                           QStringLiteral("Y:"));
  Label3 = MakeCentreLabel(GroupBox1, "Label3", QRect(45, 101, 21, 29),
                           QStringLiteral("Z:"));
  MPX = MakeCentreEdit(GroupBox1, "MPX", QRect(94, 22, 89, 26),
                       QStringLiteral("Mittelpunkt auf X - Achse"));
  MPY = MakeCentreEdit(GroupBox1, "MPY", QRect(94, 62, 89, 26),
                       QStringLiteral("Mittelpunkt auf Y - Achse"));
  MPZ = MakeCentreEdit(GroupBox1, "MPZ", QRect(94, 102, 89, 26),
                       QStringLiteral("Mittelpunkt auf Z - Achse"));
}

void TForm1::BuildPreviewPanel(QWidget* page) {
  Panel1 = MakeControl<QFrame>(page, "Panel1", QRect(260, 8, 255, 241));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(1);
  VorschauComboBox = MakeDropDownList(
      Panel1, "VorschauComboBox", QRect(9, 205, 205, 24),
      {QStringLiteral("Quell - Vorschau"), QStringLiteral("Ziel - Vorschau")},
      QStringLiteral("Quell-  oder Zielvorschau"));
  GroupBox5 = MakeGroupBox(Panel1, "GroupBox5", QRect(6, 4, 239, 197),
                           QStringLiteral("Vorschau"));
  VorschauPaintBox = MakeControl<PaintBox>(GroupBox5, "VorschauPaintBox",
                                           QRect(4, 16, 231, 177));
  VorschauButton = MakeControl<QToolButton>(Panel1, "VorschauButton",
                                            QRect(220, 204, 23, 25));
  VorschauButton->setText(QStringLiteral("Z"));
  VorschauButton->setToolTip(QStringLiteral("Objekt anzeigen"));
  VorschauButton->setAutoRaise(true);
  VorschauButton->setFocusPolicy(Qt::NoFocus);
  VorschauButton->setEnabled(false);
}

}  // namespace ui
