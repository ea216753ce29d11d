// The Intro, Math and Figure pages and the drainage explanation: their texts line by line as
// the program states them, and how they are shown.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "DrainForm.h"
#include "HelpTexts.h"
#include "MainFormFixture.h"
#include "Sketches.h"

namespace halosoil::test {
namespace {

using HelpPages = MainFormTest;

TEST(HelpTexts, IntroHasItsHeadingSixIndentedParagraphsAndTheContactLine) {
    const QStringList lines = IntroLines();
    ASSERT_GE(lines.size(), 18);
    EXPECT_EQ(lines[0], " ");
    EXPECT_EQ(lines[1].trimmed(), "INTRODUCTION  TO  Halosoil");
    EXPECT_TRUE(lines[1].startsWith("          "));
    EXPECT_EQ(lines[2], "");
    // Paragraphs are separated by empty lines and indented by two blanks.
    QStringList paragraphs;
    for (int i = 3; i < lines.size(); ++i)
        if (!lines[i].isEmpty()) paragraphs << lines[i];
    ASSERT_EQ(paragraphs.size(), 7);  // six paragraphs and the contact line
    for (const QString& paragraph : paragraphs) {
        EXPECT_TRUE(paragraph.startsWith("  ") && !paragraph.startsWith("   "))
            << paragraph.toStdString();
    }
    EXPECT_TRUE(paragraphs[2].contains("1, 2, or 3 layers"));
    EXPECT_TRUE(paragraphs[1].contains("sum of the squares"));
    EXPECT_TRUE(paragraphs[4].contains("capillary rise"));
    EXPECT_TRUE(paragraphs[5].contains("downward seepage"));
    EXPECT_EQ(lines.mid(lines.size() - 3), QStringList({"", "", ""}));
}

TEST(HelpTexts, MathHoldsEveryEquationLineAndHeading) {
    QStringList trimmed;
    for (const QString& line : MathLines()) trimmed << line.trimmed();
    const char* kLines[] = {
        "WATER AND SALT BALANCES USED IN Halosoil",
        "I. - Water Balances (flows in mm / time step, depths in m):",
        "First layer:  Rain + Irrig  + Cap1 = Perc1 + Evap1",
        "Second layer: Perc1 + Cap2 = Perc2 + Evap2",
        "Third layer: Perc2 + Cap3 = Perc3 + Evap3",
        "Transtion zone : Perc3 + Upw = Drain + Cap3 + Down",
        "a - only one root zone layer present",
        "Cap1 =  CapT - Evap2",
        "Perc1 = (Rain[i] + Irri[i]) / IrrEff - Evap1",
        "Specification of actual evapotraspiration per layer:",
        "R2 = (D2-AvD/(D1+D2+D3)",
        "Evap3 = (1/6+R3)*EvapA",
        "WR = Irrig + Rain",
        "The total capillary rise and actual evapotranspiration are calculated as",
        "The drain discharge is determined as",
        "The depth of the water is calculated as",
        "DRa = QH1*(Dd-Dwt)^2",
        "Drain = DRa + DRb",
        "Dwt = Dwp - Ts*(Perc3 - CapT - Drain + Up - Down) / 10*EffPor",
        "II. Salt balances (salinity in dS/m at field saturation)",
        "1a Root zone salt balance",
        "Sout = LEa*(Up+Out) *SAa/100",
        "2d. The salt balance of the aquifer remains unchanged.",
        ("3a. The salt balance of the first layer is the same as that of the first layer in the "
         "two layer case."),
        "Sin = LE3*Perc3*S3a/100 + Up*SAq/100",
        "3e. The salt balance of the aquifer remains unchanged.",
    };
    for (const char* line : kLines) EXPECT_TRUE(trimmed.contains(line)) << line;
    EXPECT_TRUE(trimmed.contains("Aquifer: Inf + Down = Up + Out\t\t[Down >=  0, Up >= 0]"));
    // The text opens with its indented title; case headings stand at the left margin,
    // equations are indented.
    const QStringList lines = MathLines();
    EXPECT_EQ(lines.first().trimmed(), "WATER AND SALT BALANCES USED IN Halosoil");
    EXPECT_TRUE(lines.first().startsWith(" "));
    EXPECT_TRUE(lines.contains("b - two root zone layers present"));
    EXPECT_TRUE(lines.contains("   Perc2 = Perc1 - Evap2"));
    // Each chapter heading is underlined by a line of "=" of its length.
    const int first = static_cast<int>(
        lines.indexOf("I. - Water Balances (flows in mm / time step, depths in m):"));
    ASSERT_GE(first, 0);
    EXPECT_EQ(lines[first + 1], QString(lines[first].size(), '='));
    int whereParagraphs = 0;
    for (const QString& line : lines)
        if (line.startsWith("where ")) ++whereParagraphs;
    EXPECT_GE(whereParagraphs, 6);
}

TEST(HelpTexts, DrainageExplanationLineByLine) {
    const QStringList lines = DrainExplanationLines();
    ASSERT_EQ(lines.size(), 27);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "   Hooghoudt's equation for subsurface drainage by pipes or ditches is:");
    EXPECT_EQ(lines[3], "   q = (8*Kb*d*h + 4*Ka*h*h) / ( L*L)");
    EXPECT_EQ(lines[5], "   where:");
    EXPECT_EQ(lines[6], "   q    = drain discharge ((m/day, or m3/day per m2 surface area),");
    EXPECT_EQ(lines[12], "   L   = drain spacing (m)");
    EXPECT_EQ(lines[14], "   q = q1 + q2");
    EXPECT_EQ(lines[17], "   q1 = 8*Kb*d*h / (L*L) ,  representing dainage flow below drain level");
    EXPECT_EQ(lines[20],
              "   The ratio QH1 = 8*kb*d / (L*L)  gives the drain discharge stemming form");
    EXPECT_EQ(lines[21], "   flow below drain level when h = 1 m. (QH1 = q1 when h = 1m.)");
    EXPECT_EQ(lines[24], "   flow above drain level when h = 1 m. (QH2 = q2 when h = 1 m.)");
    EXPECT_EQ(lines[26],
              "   The ratios characterize the capacity of the subsurface drainage system.");
    for (const QString& line : lines)
        if (!line.isEmpty()) {
            EXPECT_TRUE(line.startsWith("   ")) << line.toStdString();
        }
}

TEST_F(HelpPages, PagesShowTheirTextsAndPictures) {
    auto* intro = W<QPlainTextEdit>("IntroMemo");
    EXPECT_EQ(intro->toPlainText(), IntroLines().join('\n'));
    EXPECT_EQ(intro->font().pointSize(), 10);
    EXPECT_EQ(intro->palette().color(QPalette::Base), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(intro->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(W<QLabel>("IntroImage")->pixmap().size(), QSize(109, 96));

    auto* math = W<QPlainTextEdit>("MathMemo");
    EXPECT_EQ(math->toPlainText(), MathLines().join('\n'));
    EXPECT_EQ(math->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    EXPECT_EQ(W<QLineEdit>("FigCaption")->text(),
              "     Sketch of water movement as used in Halosoil in case of a root zone with two "
              "layers");
    EXPECT_EQ(W<QLineEdit>("FigCaption")->font().pointSize(), 12);
    EXPECT_EQ(W<QLabel>("FigImage")->pixmap().size(), QSize(673, 449));

    EXPECT_EQ(W<DrainForm>("DrainForm")->DrainMemo->toPlainText(),
              DrainExplanationLines().join('\n'));
    EXPECT_GE(W<DrainForm>("DrainForm")->height(), 369);
    EXPECT_GE(W<DrainForm>("DrainForm")->width(), 401);
    EXPECT_TRUE(W<DrainForm>("DrainForm")->isHidden());
    W<DrainForm>("DrainForm")->show();
    QApplication::processEvents();
    EXPECT_EQ(W<DrainForm>("DrainForm")->DrainMemo->geometry(), W<DrainForm>("DrainForm")->rect());
    W<DrainForm>("DrainForm")->hide();
}

TEST_F(HelpPages, TextTypedIntoTheHelpBoxesReachesNoFile) {
    W<QPlainTextEdit>("MathMemo")->setPlainText("typed over");
    W<QPlainTextEdit>("IntroMemo")->appendPlainText("notes");
    EnterProject(SampleEntry(1));
    dialogs.files.push_back(dir.filePath("help.inp"));
    dialogs.answers = {false};
    Click("SaveAllButton");
    QFile file(dir.filePath("help.inp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_FALSE(text.contains("typed over"));
    EXPECT_FALSE(text.contains("notes"));
}

TEST(Sketches, PicturesHaveTheirSizesAndAreNotBlank) {
    const QImage intro = IntroPicture().toImage();
    EXPECT_EQ(intro.size(), QSize(109, 96));
    const QImage sketch = WaterMovementSketch().toImage();
    EXPECT_EQ(sketch.size(), QSize(673, 449));
    // The aquifer band at the bottom left differs from the sky at the top left.
    EXPECT_NE(sketch.pixel(30, 380), sketch.pixel(30, 50));
}

}  // namespace
}  // namespace halosoil::test
