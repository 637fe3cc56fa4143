// The HTML file of the message window: remnants of the transfer encoding tidied,
// inline pictures pointed at their saved files.
#include "mail/message/html_text.h"

#include <gtest/gtest.h>

using mail::htmlWithContentIdsResolved;
using mail::htmlWithoutEncodingRemnants;

TEST(htmlWithoutEncodingRemnants, blanksForEncodedSpacesSoftBreaksAndThreeD)
{
    EXPECT_EQ(htmlWithoutEncodingRemnants("a=20b"), "a b");
    EXPECT_EQ(htmlWithoutEncodingRemnants("long=\r\nline"), "long line");
    EXPECT_EQ(htmlWithoutEncodingRemnants("<p align=3D\"center\">"), "<p align= \"center\">");
    EXPECT_EQ(htmlWithoutEncodingRemnants("a 3D model"), "a 3D model");
    EXPECT_EQ(htmlWithoutEncodingRemnants("x==3D3D"), "x== 3D");
    EXPECT_EQ(htmlWithoutEncodingRemnants("x = y\r\n=\r"), "x = y\r\n ");
    EXPECT_EQ(htmlWithoutEncodingRemnants("=2"), "=2");
}

TEST(htmlWithContentIdsResolved, referencesMatchIgnoringCase)
{
    const std::vector<std::pair<std::string, std::string>> files = {
        {"logo@example.com", "logo.png"}, {"Part2.ABC", "chart.gif"}};
    EXPECT_EQ(htmlWithContentIdsResolved(
                  "<img src=\"cid:logo@example.com\"><img src=\"CID:part2.abc\">", files),
              "<img src=\"logo.png\"><img src=\"chart.gif\">");
    // Unknown ids stay; a reference at the very end runs to the end of the text.
    EXPECT_EQ(htmlWithContentIdsResolved("<img src=\"cid:b\"> cid:logo@example.com", files),
              "<img src=\"cid:b\"> logo.png");
}
