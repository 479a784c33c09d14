// The window's controls as created: placement, focus order, text boxes, marks, list boxes and
// the help text.
#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>

#include "app/helptext.h"
#include "app/layout.h"
#include "tests/control_contract.h"
#include "tests/test_window_fixture.h"
#include "tests/window_contract.h"

namespace brelvik::test {
namespace {

// The window as the cases both front ends share see it; a pixel makes fifteen twips whatever
// the screen.
class LayoutTest : public WindowTest, public WindowUnderTest {
  protected:
    void Bring_to_front(int tab) override { window->SSTab1->Bar()->setCurrentIndex(tab); }
    void Show_options() override {
        for (QWidget* option : {window->Option1, window->Option2, window->Option3, window->Option4,
                                window->Option5}) {
            option->show();
        }
    }
    Area Client_area() override { return {0, 0, window->width() * 15, window->height() * 15}; }
    Area Place_in_container(const ControlLayout& layout) override {
        const QWidget* control = window->Find<QWidget>(layout.name);
        const QWidget* container = layout.container == std::string(kWindowName)
                                       ? window.get()
                                       : window->Find<QWidget>(layout.container);
        if (control == nullptr || container == nullptr || !container->isAncestorOf(control)) {
            return {-1, -1, -1, -1};
        }
        if (container != window->SSTab1) {  // there the pages come between
            EXPECT_EQ(control->parentWidget(), container);
        }
        const QPoint at = control->mapTo(container, QPoint(0, 0));
        return {at.x() * 15, at.y() * 15, control->width() * 15, control->height() * 15};
    }
    bool Shown(const char* name) override { return window->Find<QWidget>(name)->isVisible(); }
    std::wstring Caption() override { return window->windowTitle().toStdWString(); }
    int Tab_strip_height() override { return window->SSTab1->Bar()->height() * 15; }
    void Focus(const char* name) override { window->Find<QWidget>(name)->setFocus(); }
    std::string Press_tab() override {
        if (QApplication::focusWidget() != nullptr) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        const QWidget* focused = QApplication::focusWidget();
        return focused == nullptr                 ? "no control"
               : focused == window->SSTab1->Bar() ? "SSTab1"
                                                  : focused->objectName().toStdString();
    }
};

TEST_F(LayoutTest, ControlsStandWhereTheTableSaysWhicheverTabIsInFront) {
    Start();
    Expect_layout_of_the_table(*this);
}

TEST_F(LayoutTest, FocusFollowsTheTableOrderOverTheTabInFront) {
    QtWindow& w = Start();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    Expect_focus_order(*this, true);
}

// A screen reader names each mark by the label beside it and each list or box by its frame;
// every control that takes the focus has a name.
TEST_F(LayoutTest, ScreenReadersNameEveryControlByWhatShowsBesideIt) {
    QtWindow& w = Start();
    const std::pair<QWidget*, QLabel*> marks[] = {{w.Option1, w.Label1}, {w.Option2, w.Label2},
                                                  {w.Option3, w.Label4}, {w.Option4, w.Label5},
                                                  {w.Option5, w.Label6}, {w.Check1, w.Label3}};
    for (const auto& [mark, label] : marks) {
        EXPECT_EQ(mark->accessibleName(), label->text()) << mark->objectName().toStdString();
    }
    const std::pair<QWidget*, const char*> framed[] = {{w.AddonList, "Frame1"},
                                                       {w.filelist, "Frame8"},
                                                       {w.Text1, "Frame2"},
                                                       {w.Text5, "Frame6"},
                                                       {w.Text7, "Frame9"}};
    for (const auto& [control, frame] : framed) {
        EXPECT_EQ(control->accessibleName(), w.Find<QGroupBox>(frame)->title()) << frame;
    }
    for (const ControlLayout& layout : Control_layouts()) {
        const auto* button = w.Find<QAbstractButton>(layout.name);
        const bool named = !w.Find<QWidget>(layout.name)->accessibleName().isEmpty() ||
                           (button != nullptr && !button->text().isEmpty());
        EXPECT_TRUE(named || layout.kind == ControlKind::kFrame ||
                    layout.kind == ControlKind::kLabel || layout.kind == ControlKind::kTabControl)
            << layout.name;
    }
}

// What a screen reader hears of a control: its own name and role, never its neighbour's.
TEST_F(LayoutTest, ScreenReadersHearEachControlByItsOwnNameAndRole) {
    QtWindow& w = Start();
    const auto heard = [](QObject* control) {
        return QAccessible::queryAccessibleInterface(control);
    };
    EXPECT_EQ(heard(&w)->role(), QAccessible::Window);
    EXPECT_EQ(heard(w.Drive1)->role(), QAccessible::ComboBox);
    EXPECT_EQ(heard(w.Drive1)->text(QAccessible::Name), "Drive");
    EXPECT_EQ(heard(w.Drive1)->text(QAccessible::Value), w.Drive1->currentText());
    for (const auto& [frame, box] : {std::pair{"Frame6", w.Text5}, {"Frame7", w.Text6}}) {
        const QString caption = w.Find<QGroupBox>(frame)->title();
        QAccessibleInterface* framed = heard(w.Find<QGroupBox>(frame));
        EXPECT_EQ(framed->text(QAccessible::Name), caption);
        EXPECT_TRUE(framed->relations(QAccessible::Label).isEmpty()) << frame;
        for (const auto& [label, relation] : heard(box)->relations(QAccessible::Label)) {
            EXPECT_EQ(label->text(QAccessible::Name), caption) << frame;
        }
    }

    // Folder entries: the name alone, and the level in the tree beside it.
    std::filesystem::create_directories(temp / "addons" / "desert");
    Browse_to(temp / "addons");
    QAccessibleInterface* folders = heard(w.Dir1);
    const int rows = w.Dir1->count();
    ASSERT_EQ(folders->childCount(), rows);
    EXPECT_EQ(folders->child(0)->text(QAccessible::Description), "Level 1");
    QAccessibleInterface* last = folders->child(rows - 1);
    EXPECT_EQ(last->text(QAccessible::Name), "desert");
    EXPECT_EQ(last->text(QAccessible::Description), QStringLiteral("Level %1").arg(rows));
}

TEST_F(LayoutTest, StartsInTheCreatedState) {
    QtWindow& w = Start();
    EXPECT_EQ(w.Text1->Text(), L"No entry\r\n");
    EXPECT_EQ(w.Text2->Text(), L"No entry\r\n");
    EXPECT_EQ(w.Text3->Text(), L"No entry\r\n");
    EXPECT_EQ(w.Text4->Text(), L"No entry");
    EXPECT_EQ(w.Text5->Text(), L"-");
    EXPECT_EQ(w.Text6->Text(), L"-");
    EXPECT_EQ(w.Text7->Text(), L"");
    EXPECT_EQ(w.AddonList->List_count(), 0);
    EXPECT_EQ(w.filelist->List_count(), 0);
    EXPECT_EQ(w.SSTab1->Bar()->currentIndex(), 0);
    EXPECT_EQ(w.Check1->toolTip(), "Pack all files listed in Addonlist");
    EXPECT_TRUE(w.Procedures().addonListText.empty() && w.Procedures().addonListPath.empty());
    EXPECT_EQ(w.Procedures().currentDir, w.Dir1->Path()) << "the Addonlist needs the folder shown";
    EXPECT_EQ(w.Procedures().fileNumber, 1);
}

TEST_F(LayoutTest, TextBoxesExchangeLinesWithCrLf) {
    QtWindow& w = Start();
    w.Text7->Set_text(L"behind\r\nthe tab");  // shown only once its tab comes to the front
    EXPECT_EQ(w.Text7->Text(), L"behind\r\nthe tab");
    w.SSTab1->Bar()->setCurrentIndex(1);
    EXPECT_EQ(w.Text7->toPlainText(), "behind\nthe tab");
    w.Text7->clear();
    w.Text7->setFocus();
    QTest::keyClicks(w.Text7, "first");
    QTest::keyClick(w.Text7, Qt::Key_Return);
    QTest::keyClicks(w.Text7, "second");
    EXPECT_EQ(w.Text7->Text(), L"first\r\nsecond");
    for (const std::wstring& text : {std::wstring(L"a\r\n\r\nb\r\n"), std::wstring(L"\r\n")}) {
        w.Text3->Set_text(text);
        EXPECT_EQ(w.Text3->Text(), text);
    }
    w.Text5->Set_text(L"1.0\r\n");  // a single-line box keeps what it is given
    EXPECT_EQ(w.Text5->Text(), L"1.0\r\n");

    w.SSTab1->Bar()->setCurrentIndex(3);
    const std::wstring help = w.Text8->Text();
    w.Text8->setFocus();
    QTest::keyClicks(w.Text8, "typed");
    QTest::keyClick(w.Text8, Qt::Key_Delete);
    EXPECT_EQ(w.Text8->Text(), help);
}

TEST_F(LayoutTest, HelpTextKeepsItsLayoutRules) {
    const std::wstring text = Help_text();
    ASSERT_TRUE(text.ends_with(L"\r\n"));
    std::vector<std::wstring> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    std::vector<std::pair<std::wstring, std::size_t>> sections;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 49u) << To_utf8(lines[i]);
        EXPECT_EQ(lines[i].find_first_of(L"\r\n"), std::wstring::npos);
        EXPECT_FALSE(lines[i].empty()) << "paragraphs are separated by one or two spaces";
        if (i > 0 && !lines[i].empty() && lines[i].find_first_not_of(L'-') == std::wstring::npos) {
            sections.emplace_back(lines[i - 1], lines[i].size());
        }
    }
    EXPECT_EQ(sections, (std::vector<std::pair<std::wstring, std::size_t>>{
                            {L"How To Use The Packers:", 42},
                            {L".Rar, .Zip or SFX?", 28},
                            {L"Single File/Multifile Packing", 44}}));
}

TEST_F(LayoutTest, OptionGroupsAreExclusivePerFrameAndLabelsSelectNothing) {
    QtWindow& w = Start({std::nullopt, L"rar icon", L"zip icon"});
    w.SSTab1->Bar()->setCurrentIndex(3);
    std::vector<std::string> clicked;
    for (OptionMark* option : {w.Option1, w.Option2, w.Option3, w.Option4, w.Option5}) {
        option->onClick = [&clicked, option] {
            clicked.push_back(option->objectName().toStdString());
        };
    }
    QTest::mouseClick(w.Label2, Qt::LeftButton);
    EXPECT_FALSE(w.Option2->Value());
    QTest::mouseClick(w.Option1, Qt::LeftButton);
    QTest::mouseClick(w.Option4, Qt::LeftButton);
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    EXPECT_EQ(clicked, (std::vector<std::string>{"Option1", "Option4", "Option2"}));
    EXPECT_FALSE(w.Option1->Value());
    EXPECT_TRUE(w.Option2->Value());
    EXPECT_TRUE(w.Option4->Value());

    Expect_option_frame_contract({w.Option3, w.Option4, w.Option5});  // no click runs
    EXPECT_EQ(clicked.size(), 3u);

    w.Option5->hide();
    QTest::mouseClick(w.Label6, Qt::LeftButton);
    QTest::mouseClick(w.Find<QWidget>("Frame11"), Qt::LeftButton, {},
                      w.Option5->geometry().center());
    EXPECT_FALSE(w.Option5->Value());

    w.Label1->Set_grey(true);
    EXPECT_EQ(w.Label1->palette().color(QPalette::WindowText),
              w.palette().color(QPalette::Disabled, QPalette::WindowText));
    w.Label1->Set_grey(false);
    EXPECT_EQ(w.Label1->palette().color(QPalette::WindowText),
              w.palette().color(QPalette::ButtonText));
}

// The contract of the procedures' controls (tests/control_contract.h), on Qt's widgets.
TEST_F(LayoutTest, ListBoxesKeepEntriesSortedIgnoringCase) {
    QtWindow& w = Start();
    Expect_list_box_contract(*w.AddonList);
    Expect_list_box_limit(*w.filelist);
    w.filelist->Set_list_index(0);
    EXPECT_EQ(w.filelist->Text(), L"0");
}

// A double-click on an entry of either list box reaches that box's procedure, which removes it.
TEST_F(LayoutTest, ADoubleClickOnAListEntryRunsItsBoxsProcedure) {
    const std::filesystem::path folder = Make_folder("addons");
    Write_file(folder / "x.pbo", "");
    QtWindow& w = Start();
    Browse_to(folder);
    Click_file(L"x.pbo", true);
    w.SSTab1->Bar()->setCurrentIndex(2);
    desktop.answers = {Wide(temp / "a.doc")};
    QTest::mouseClick(w.Command4, Qt::LeftButton);
    for (SortedListBox* box : {w.filelist, w.AddonList}) {
        const std::size_t before = box->Items().size();
        const QPoint spot = box->visualRect(box->model()->index(0, 0)).center();
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, spot);
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, spot);
        EXPECT_LT(box->Items().size(), before) << box->objectName().toStdString();
    }
    EXPECT_TRUE(desktop.messages.empty());
}

// The readme box is typed into on its tab and set anew while that tab is behind, as when the
// user goes back to the browser and selects the next add-on.
TEST_F(LayoutTest, TextBoxesGiveBackWhatWasSetUntilEditedAndForgetTheEdit) {
    QtWindow& w = Start();
    auto typer = [&w](QWidget* box, int tab) {
        return [&w, box, tab](const std::wstring& text) {
            w.SSTab1->Bar()->setCurrentIndex(tab);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, QString::fromStdWString(text));
            w.SSTab1->Bar()->setCurrentIndex(0);
        };
    };
    {
        SCOPED_TRACE("Text7");
        Expect_text_box_contract(*w.Text7, typer(w.Text7, 1), true);
    }
    SCOPED_TRACE("Text5");
    Expect_text_box_contract(*w.Text5, typer(w.Text5, 0), false);
}

}  // namespace
}  // namespace brelvik::test
