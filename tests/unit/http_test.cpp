// The two HTTP operations over the scripted backend: the line rule, the copy loop, and what a
// failing download leaves behind.
#include "net/http.h"

#include "test_support.h"

namespace dorvex::test {
namespace {

constexpr const char* kUrl = "http://server.test/answer";
constexpr const char* kTarget = "C:\\VALMOR\\file.bin";

struct LineCase {
    const char* name;
    std::string body;
    std::string text;
};

class LineRule : public FakeTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineRule, FetchUrlTextDropsEveryCrAndLfAndNothingElse) {
    fake.AnswerText(kUrl, GetParam().body);
    EXPECT_EQ(FetchUrlText(kUrl), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, LineRule,
    ::testing::Values(LineCase{"CrLfEnding", "1\r\n", "1"},
                      LineCase{"TwoLinesJoined", "12,34\r\n1\r\n", "12,341"},
                      LineCase{"LoneCr", "a\rb", "ab"}, LineCase{"LfLfX", "\n\nx", "x"},
                      LineCase{"SpacesKept", " 1 ", " 1 "}, LineCase{"Empty", "", ""},
                      LineCase{"ByteOrderMarkKept",
                               "\xEF\xBB\xBF"
                               "1\r\n",
                               "\xEF\xBB\xBF"
                               "1"},
                      LineCase{"Cp949BytesUntouched", "\xB3\xD7\r\n", "\xB3\xD7"},
                      LineCase{"LongBodyAcrossReads", std::string(5000, 'a') + "\r\n" + "b",
                               std::string(5000, 'a') + "b"}),
    [](const auto& info) { return std::string(info.param.name); });

using Http = FakeTest;

TEST_F(Http, FetchUrlTextReturnsErrorPagesUnchanged) {
    fake.Answer(kUrl, {404, "<html>\r\n<p>missing</p>\r\n</html>"});
    EXPECT_EQ(FetchUrlText(kUrl), "<html><p>missing</p></html>");
}

TEST_F(Http, FetchUrlTextRaisesTheNetworkErrorWhenUnreachable) {
    fake.Unreachable(kUrl);
    try {
        FetchUrlText(kUrl);
        FAIL() << "no exception";
    } catch (const CInternetException& e) {
        EXPECT_EQ(e.m_dwError, 12029u);
        std::string text;
        EXPECT_TRUE(e.GetErrorMessage(text));
    }
}

TEST_F(Http, FetchUrlTextRaisesWhenTheTransferBreaks) {
    fake.Answer(kUrl, {200, "12345678", false, 4});
    EXPECT_THROW(FetchUrlText(kUrl), CInternetException);
}

TEST_F(Http, FetchUrlTextRefusesAnAnswerOverOneMebibyte) {
    fake.AnswerText(kUrl, std::string(kMaxTextAnswer + 1, 'x'));
    EXPECT_THROW(FetchUrlText(kUrl), CInternetException);
}

TEST_F(Http, FetchUrlTextAcceptsExactlyOneMebibyteOfTextPlusLineBreaks) {
    std::string body(kMaxTextAnswer, 'x');
    body += "\r\n\r\n";
    fake.AnswerText(kUrl, body);
    EXPECT_EQ(FetchUrlText(kUrl).size(), kMaxTextAnswer);
}

struct CopyCase {
    size_t size;
    std::vector<size_t> reads;
};

class CopyLoop : public FakeTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyLoop, StoresTheBodyExactlyInReadsOfAtMost4096) {
    std::string body(GetParam().size, '\0');
    for (size_t i = 0; i < body.size(); ++i)
        body[i] = char(i * 7 + 3);
    fake.AnswerText(kUrl, body);
    MakeFolder("C:\\VALMOR");
    EXPECT_EQ(DownloadUrlToFile(kUrl, kTarget), TRUE);
    EXPECT_EQ(ReadFile(kTarget), body);
    EXPECT_EQ(fake.bodyReads, GetParam().reads);
    EXPECT_EQ(FolderEntries("C:\\VALMOR"), std::vector<std::string>{"file.bin"});
}

INSTANTIATE_TEST_SUITE_P(Sizes, CopyLoop,
                         ::testing::Values(CopyCase{10000, {4096, 4096, 1808, 0}},
                                           CopyCase{4096, {4096, 0}}, CopyCase{0, {0}}));

TEST_F(Http, AnEmptyBodyEmptiesAnExistingTarget) {
    WriteFile(kTarget, "old content");
    fake.AnswerText(kUrl, "");
    EXPECT_EQ(DownloadUrlToFile(kUrl, kTarget), TRUE);
    EXPECT_TRUE(Exists(kTarget));
    EXPECT_EQ(ReadFile(kTarget), "");
}

TEST_F(Http, AnOpenFailureLeavesTheTargetAlone) {
    WriteFile(kTarget, "old content");
    fake.Unreachable(kUrl);
    EXPECT_EQ(DownloadUrlToFile(kUrl, kTarget), FALSE);
    EXPECT_EQ(ReadFile(kTarget), "old content");
}

TEST_F(Http, AnOpenFailureCreatesNoFile) {
    MakeFolder("C:\\VALMOR");
    fake.Unreachable(kUrl);
    EXPECT_EQ(DownloadUrlToFile(kUrl, kTarget), FALSE);
    EXPECT_TRUE(FolderEntries("C:\\VALMOR").empty());
}

TEST_F(Http, AnErrorStatusCountsAsAnAddressThatCannotBeOpened) {
    for (int status : {400, 404, 500, 503}) {
        WriteFile(kTarget, "old content");
        fake.Answer(kUrl, {status, "<html>error</html>"});
        EXPECT_EQ(DownloadUrlToFile(kUrl, kTarget), FALSE) << status;
        EXPECT_EQ(ReadFile(kTarget), "old content") << status;
        EXPECT_EQ(FolderEntries("C:\\VALMOR"), std::vector<std::string>{"file.bin"});
    }
}

TEST_F(Http, ABrokenTransferKeepsThePreviousTargetByteForByteAndNoTemporaryFile) {
    const std::string old = std::string("MZ\0\x01old", 7);
    WriteFile(kTarget, old);
    fake.Answer(kUrl, {200, std::string(10000, 'n'), false, 5000});
    EXPECT_THROW(DownloadUrlToFile(kUrl, kTarget), CInternetException);
    EXPECT_EQ(ReadFile(kTarget), old);
    EXPECT_EQ(FolderEntries("C:\\VALMOR"), std::vector<std::string>{"file.bin"});
}

TEST_F(Http, AWriteIntoAMissingFolderRaisesTheFileError) {
    fake.AnswerText(kUrl, "body");
    EXPECT_THROW(DownloadUrlToFile(kUrl, "C:\\MISSING\\file.bin"), CFileException);
    EXPECT_FALSE(Exists("C:\\MISSING"));
}

TEST_F(Http, ABodyCheckThatRefusesDiscardsTheDownload) {
    WriteFile(kTarget, "old content");
    fake.AnswerText(kUrl, "<html>portal</html>");
    EXPECT_EQ(DownloadUrlToFile(kUrl, kTarget, [](const std::string& h) { return h[0] == 'M'; }),
              FALSE);
    EXPECT_EQ(ReadFile(kTarget), "old content");
    EXPECT_EQ(FolderEntries("C:\\VALMOR"), std::vector<std::string>{"file.bin"});
}

} // namespace
} // namespace dorvex::test
