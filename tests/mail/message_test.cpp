// The message model's helpers: the subject's prefix, the display lists, MIME types.
#include <gtest/gtest.h>

#include "hosts/mail/message.h"

namespace {

using mail::SplitSubject;

TEST(MessageTest, ASubjectPrefixIsOneToThreeCharactersBeforeAColonAndASpace) {
    EXPECT_EQ(SplitSubject("RE: Roof").prefix, "RE: ");
    EXPECT_EQ(SplitSubject("RE: Roof").normalized, "Roof");
    EXPECT_EQ(SplitSubject("FW: RE: Roof").normalized, "RE: Roof") << "only the first prefix";
    EXPECT_EQ(SplitSubject("AW:   Roof").normalized, "Roof") << "the spaces after it go too";
    EXPECT_EQ(SplitSubject("AW:   Roof").prefix, "AW: ");
    EXPECT_EQ(SplitSubject("ΑΠ: Στέγη").prefix, "ΑΠ: ") << "characters, not bytes";
    for (const char* none : {"Roof", "05-123: Roof", "Long: Roof", "RE:Roof", "R E: Roof", ": Roof", "RE:", ""}) {
        EXPECT_EQ(SplitSubject(none).prefix, "") << none;
        EXPECT_EQ(SplitSubject(none).normalized, none) << none;
    }
}

TEST(MessageTest, DisplayListsNameTheRecipientsOfOneKind) {
    mail::Message m;
    m.recipients = {{mail::RecipientKind::To, {"Anna Berg", "anna@example.com"}},
                    {mail::RecipientKind::Cc, {"", "cy@example.com"}},
                    {mail::RecipientKind::To, {"Ben Ode", "ben@example.com"}}};
    EXPECT_EQ(mail::DisplayList(m, mail::RecipientKind::To), "Anna Berg; Ben Ode");
    EXPECT_EQ(mail::DisplayList(m, mail::RecipientKind::Cc), "cy@example.com");
    EXPECT_EQ(mail::DisplayList(m, mail::RecipientKind::Bcc), "");
    EXPECT_EQ(m.CountOf(mail::RecipientKind::To), 2u);
}

TEST(MessageTest, MimeTypesComeFromTheExtensionInAnyCase) {
    EXPECT_EQ(mail::MimeTypeForFileName("Übersicht.PDF"), "application/pdf");
    EXPECT_EQ(mail::MimeTypeForFileName("notes.txt"), "text/plain");
    EXPECT_EQ(mail::MimeTypeForFileName("archive.tar.gz"), "application/octet-stream");
    EXPECT_EQ(mail::MimeTypeForFileName("README"), "application/octet-stream");
}

}  // namespace
