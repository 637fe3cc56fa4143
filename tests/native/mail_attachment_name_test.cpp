// Attachment file names from senders, reduced to names that are safe to write.
#include "mail/message/attachment_name.h"

#include <gtest/gtest.h>

using mail::safeAttachmentName;

TEST(safeAttachmentName, ordinaryNamesStayAsTheyAre)
{
    EXPECT_EQ(safeAttachmentName("Report 2024.pdf", 1), "Report 2024.pdf");
    EXPECT_EQ(safeAttachmentName("r\xE9sum\xE9.doc", 1), "r\xE9sum\xE9.doc");
    EXPECT_EQ(safeAttachmentName(".profile", 1), ".profile");
}

TEST(safeAttachmentName, pathPartsAreDropped)
{
    EXPECT_EQ(safeAttachmentName("..\\..\\Windows\\system.ini", 1), "system.ini");
    EXPECT_EQ(safeAttachmentName("../../etc/passwd", 1), "passwd");
    EXPECT_EQ(safeAttachmentName("\\\\server\\share\\x.exe", 1), "x.exe");
    EXPECT_EQ(safeAttachmentName("C:\\boot.ini", 1), "boot.ini");
    EXPECT_EQ(safeAttachmentName("C:autoexec.bat", 1), "autoexec.bat");
    EXPECT_EQ(safeAttachmentName("..", 2), "attachment2");
    EXPECT_EQ(safeAttachmentName("dir/", 3), "attachment3");
}

TEST(safeAttachmentName, streamsControlsAndReservedCharactersGo)
{
    EXPECT_EQ(safeAttachmentName("notes.txt:hidden.exe", 1), "notes.txt");
    EXPECT_EQ(safeAttachmentName("notes.txt::$DATA", 1), "notes.txt");
    EXPECT_EQ(safeAttachmentName("a\tb\r\nc\x7F.txt", 1), "abc.txt");
    EXPECT_EQ(safeAttachmentName("..\x01\\evil.txt", 1), "evil.txt");
    EXPECT_EQ(safeAttachmentName("what?<is>|\"this\"*.txt", 1), "what__is___this__.txt");
}

TEST(safeAttachmentName, trailingDotsAndBlanksGo)
{
    EXPECT_EQ(safeAttachmentName("invoice.pdf.exe. . ", 1), "invoice.pdf.exe");
    EXPECT_EQ(safeAttachmentName("  spaced.txt", 1), "spaced.txt");
    EXPECT_EQ(safeAttachmentName(" . .", 4), "attachment4");
}

TEST(safeAttachmentName, deviceNamesAreRenamedWithOrWithoutExtension)
{
    EXPECT_EQ(safeAttachmentName("CON", 1), "_CON");
    EXPECT_EQ(safeAttachmentName("nul.txt", 1), "_nul.txt");
    EXPECT_EQ(safeAttachmentName("Aux.tar.gz", 1), "_Aux.tar.gz");
    EXPECT_EQ(safeAttachmentName("com1.log", 1), "_com1.log");
    EXPECT_EQ(safeAttachmentName("LPT9", 1), "_LPT9");
    EXPECT_EQ(safeAttachmentName("prn .txt", 1), "_prn .txt");
    EXPECT_EQ(safeAttachmentName("COM\xB9.txt", 1), "_COM\xB9.txt"); // superscript one
    // Near misses are ordinary names.
    EXPECT_EQ(safeAttachmentName("COM0.txt", 1), "COM0.txt");
    EXPECT_EQ(safeAttachmentName("console.txt", 1), "console.txt");
    EXPECT_EQ(safeAttachmentName("LPT10", 1), "LPT10");
}

TEST(safeAttachmentName, emptyOrOverlongNames)
{
    EXPECT_EQ(safeAttachmentName("", 7), "attachment7");
    const std::string longName = std::string(300, 'x') + ".pdf";
    const std::string safe = safeAttachmentName(longName, 1);
    EXPECT_EQ(safe.size(), 200u);
    EXPECT_EQ(safe.substr(safe.size() - 4), ".pdf");
    // A device name's prefix does not take it past the bound either.
    const std::string device = safeAttachmentName("CON." + std::string(250, 'x'), 1);
    EXPECT_EQ(device.size(), 200u);
    EXPECT_EQ(device.substr(0, 5), "_CON.");
    EXPECT_EQ(safeAttachmentName(device, 1), device);
}

TEST(distinctAttachmentName, numbersRepeatedNamesBeforeTheExtension)
{
    const std::vector<std::string> taken = {"a.png", "A (2).PNG", "notes"};
    EXPECT_EQ(mail::distinctAttachmentName("b.png", taken), "b.png");
    EXPECT_EQ(mail::distinctAttachmentName("a.PNG", taken), "a (3).PNG");
    EXPECT_EQ(mail::distinctAttachmentName("Notes", taken), "Notes (2)");
    EXPECT_EQ(mail::distinctAttachmentName(".png", {".png"}), ".png (2)");
}

TEST(distinctAttachmentName, accentedLettersMatchInAnyCaseAsWindowsComparesThem)
{
    // Windows-1252: e acute E9/C9, s caron 9A/8A, y diaeresis FF/9F.
    EXPECT_EQ(mail::distinctAttachmentName("\xC9T\xC9.gif", {"\xE9t\xE9.gif"}),
              "\xC9T\xC9 (2).gif");
    EXPECT_EQ(mail::distinctAttachmentName("\x8A\x9F", {"\x9A\xFF"}), "\x8A\x9F (2)");
    // Letters that only look alike stay apart: the division and multiplication signs.
    EXPECT_EQ(mail::distinctAttachmentName("\xF7", {"\xD7"}), "\xF7");
}
