// Ways into the window from the desktop: the path the program is started with, and files
// dropped from a file manager, through the Qt window's own drop handlers.
#include <gmock/gmock.h>

#include <QMimeData>
#include <QUrl>

#include "app/arguments.h"
#include "platform/commandline.h"
#include "platform/pathsep.h"
#include "tests/test_window_fixture.h"

namespace brelvik::test {
namespace {

using Entries = std::vector<std::wstring>;
using ::testing::HasSubstr;

const char kInfo[] =
    "Fast.\r\n\r\n=====================================================\r\nDIZUV Information\r\n"
    "/x/unitsJeep";

TEST(StartArguments, OnePathOrNothingAndNoOptions) {
    struct Case {
        Entries arguments;
        std::wstring path, wrong;
    };
    const Case cases[] = {
        {{}, L"", L""},
        {{L"release.txta"}, L"release.txta", L""},
        {{L"--", L"-odd.txta"}, L"-odd.txta", L""},
        {{L"-"}, L"-", L""},
        {{L"--frobnicate"}, L"", L"unknown option --frobnicate"},
        {{L"a.txta", L"-x"}, L"", L"unknown option -x"},
        {{L"a.txta", L"b.txta"}, L"", L"one file or folder at a time"},
        {{L""}, L"", L"an empty name"},
    };
    for (const Case& c : cases) {
        const StartArguments start = Read_start_arguments(c.arguments);
        EXPECT_EQ(start.path, c.path);
        EXPECT_EQ(start.wrong, c.wrong);
    }
}

class OpenTest : public WindowTest {
  protected:
    void SetUp() override {
        last = Make_folder("last");
        Write_file(last / "old.pbo", "");
        other = Make_folder("other");
        Write_file(other / "jeep.pbo", "");
        Write_file(other / "jeep.txt", kInfo);
        Write_file(other / "readme.txt", "");
        list = other / "release.txta";
        Write_file(list, To_utf8(Wide(other / "jeep.pbo") + L"\r\n/others/\r\n" +
                                 Wide(other / "readme.txt")));
        Start({.lastFolder = Wide(last)});
    }

    void Expect_folder(const std::filesystem::path& folder) {
        EXPECT_EQ(window->Dir1->Path(), Wide(folder));
        EXPECT_EQ(window->File1->Path(), Wide(folder));
    }

    // Drops the files as a file manager does, at the middle of the control (the window's own
    // corner for nullptr), and lets the procedures run.
    void Drop(const Entries& paths, QWidget* control) {
        QList<QUrl> urls;
        for (const std::wstring& path : paths) {
            urls.append(QUrl::fromEncoded(
                "file://" + QByteArray::fromStdString(To_native(path)).toPercentEncoding("/")));
        }
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = control == nullptr
                              ? QPoint(2, 2)
                              : control->mapTo(window.get(), control->rect().center());
        ASSERT_TRUE(Deliver<QDragEnterEvent>(data, at).first);
        EXPECT_EQ(Deliver<QDropEvent>(data, at).second, Qt::CopyAction)
            << "a move would delete the files";
        QApplication::processEvents();
    }

    // A drag's event where the system delivers it: to the widget under the pointer, which passes
    // on what it does not take. Whether it was taken, and how.
    template <typename DragEvent>
    std::pair<bool, Qt::DropAction> Deliver(const QMimeData& data, QPoint at) {
        QWidget* under = window->childAt(at);
        QWidget* receiver = under != nullptr ? under : window.get();
        DragEvent event(receiver->mapFrom(window.get(), at), Qt::CopyAction | Qt::MoveAction, &data,
                        Qt::LeftButton, {});
        QApplication::sendEvent(receiver, &event);
        return {event.isAccepted(), event.dropAction()};
    }

    std::filesystem::path last, other, list;
};

TEST_F(OpenTest, AStartPathOpensAfterTheLastFolder) {
    window->Procedures().Open_start_path(Wide(list));
    Expect_folder(last);
    EXPECT_EQ(window->AddonList->Items(), Entries{Wide(other / "jeep.pbo")});
    EXPECT_EQ(window->filelist->Items(), Entries{Wide(other / "readme.txt")});
    EXPECT_EQ(window->Procedures().addonListPath, Wide(list));

    window->Procedures().Open_start_path(Wide(other / "jeep.pbo"));
    Expect_folder(other);
    EXPECT_EQ(window->File1->File_name(), L"jeep.pbo");
    EXPECT_EQ(window->Text1->Text(), L"Jeep");

    window->Procedures().Open_start_path(Wide(last) + kPathSeparator);
    Expect_folder(last);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(OpenTest, WhatIsNotThereOrNotOursIsSaidAndChangesNothing) {
    for (const std::filesystem::path& path : {other / "gone.txta", other / "readme.txt"}) {
        window->Procedures().Open_start_path(Wide(path));
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_THAT(desktop.messages[0], HasSubstr(Wide(path)));
        desktop.messages.clear();
        Expect_folder(last);
        EXPECT_TRUE(window->Procedures().addonListPath.empty());
    }
}

// A name that is not UTF-8, as the system hands it over in argv and in a dropped file's URL.
TEST_F(OpenTest, NamesThatAreNotUtf8ArriveAsTheirOwnBytes) {
    const std::string bytes = "tank\xff.pbo";
    Write_file(other / bytes, "");
    const std::string path = (other / bytes).native();
    const char* argv[] = {"brelvik", path.c_str()};
    const StartArguments start = Read_start_arguments(Program_arguments(2, argv));
    window->Procedures().Open_start_path(start.path);
    EXPECT_EQ(window->File1->File_name(), From_native(bytes));

    window->SSTab1->Bar()->setCurrentIndex(2);
    Drop({From_native(path)}, window->AddonList);
    EXPECT_THAT(window->AddonList->Items(), ::testing::Contains(From_native(path)));
}

TEST_F(OpenTest, DropsDoWhatTheTargetsOwnCommandsDo) {
    window->SSTab1->Bar()->setCurrentIndex(2);
    const std::wstring jeep = Wide(other / "jeep.pbo");
    const std::wstring readme = Wide(other / "readme.txt");
    Drop({jeep, Wide(last / "old.pbo"), readme, Wide(last)}, window->AddonList);
    EXPECT_EQ(window->AddonList->Items(), (Entries{Wide(last / "old.pbo"), Wide(last / "old.txt"),
                                                   jeep, Wide(other / "jeep.txt")}));
    EXPECT_TRUE(window->filelist->Items().empty());
    Drop({jeep}, window->AddonList);  // a name already listed is refused, as a double-click is
    EXPECT_EQ(window->AddonList->Items().size(), 4u);

    Drop({readme, Wide(other)}, window->filelist);
    EXPECT_EQ(window->filelist->Items(), Entries{readme});

    Drop({Wide(other)}, window->Dir1);
    Expect_folder(other);

    Drop({Wide(list)}, nullptr);
    EXPECT_EQ(window->Procedures().addonListPath, Wide(list));
    window->Command3->click();
    window->SSTab1->Bar()->setCurrentIndex(1);  // a text box leaves a list file to the window
    const std::wstring readmeText = window->Text7->Text();
    Drop({Wide(list)}, window->Text7);
    EXPECT_EQ(window->Procedures().addonListPath, Wide(list));
    EXPECT_EQ(window->Text7->Text(), readmeText);
    EXPECT_EQ(window->AddonList->Items(), Entries{jeep});
    EXPECT_TRUE(desktop.messages.empty());
}

// While dragging the pointer shows whether the control under it takes the files.
TEST_F(OpenTest, ADragIsTakenOnlyWhereItWouldDoSomething) {
    window->SSTab1->Bar()->setCurrentIndex(2);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdWString(Wide(other / "jeep.pbo")))});
    for (auto [control, taken] : {std::pair<QWidget*, bool>{window->AddonList, true},
                                  {window->Dir1, true},
                                  {window->File1, false}}) {
        const QPoint at = control->mapTo(window.get(), control->rect().center());
        ASSERT_TRUE(Deliver<QDragEnterEvent>(data, at).first);
        EXPECT_EQ(Deliver<QDragMoveEvent>(data, at).first, taken)
            << control->objectName().toStdString();
    }
}

}  // namespace
}  // namespace brelvik::test
