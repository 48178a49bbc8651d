// The user's manual against the product: the parameter and program names and the texts at
// the ends of every range as the built plug-in and the editor print them now, the pictures as
// the build draws them from their recorded settings, and every relative link.

#include "EditorPictures.h"
#include "EditorValueText.h"
#include "ParameterTable.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "Snapshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

const fs::path kDocs = OFC_DOCS_DIR;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string code(const std::string& text)
{
    return "`" + trimmed(text) + "`";
}

// The table row of the manual that begins with `cells` (e.g. "| `Knee` |"); empty if none.
std::string rowStartingWith(const std::string& cells)
{
    for (const std::string& line : linesOf(readFile(kDocs / "manual.md")))
        if (line.rfind(cells, 0) == 0) return line;
    return "";
}

class ManualText : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(module.load(OFC_PLUGIN_PATH)) << module.error();
        std::string error;
        plugin = ofchost::PluginInstance::create(module, error);
        ASSERT_NE(plugin, nullptr) << error;
        plugin->open(44100.0, 512);
    }

    ofchost::PluginModule module;
    std::unique_ptr<ofchost::PluginInstance> plugin;
};

// Each parameter has a row in the manual's tables that starts with its name as hosts list it
// and holds the host's texts at both ends of its range and at its default, and the editor's
// own texts at the same three values where the editor shows one.
TEST_F(ManualText, EveryParameterRowShowsTheTextsAtBothEndsAndTheDefault)
{
    const int count = plugin->parameterCount();
    ASSERT_GT(count, 0);
    std::vector<std::string> defaults;
    for (int i = 0; i < count; ++i)
        defaults.push_back(plugin->parameterDisplay(i));
    for (int i = 0; i < count; ++i)
    {
        const std::string name = plugin->parameterName(i);
        SCOPED_TRACE("parameter " + std::to_string(i) + " \"" + name + "\"");
        const float defaultValue = plugin->parameter(i);
        plugin->setParameter(i, 0.0f);
        const std::string low = plugin->parameterDisplay(i);
        plugin->setParameter(i, 1.0f);
        const std::string high = plugin->parameterDisplay(i);
        plugin->setParameter(i, defaultValue);

        const std::string row = rowStartingWith("| " + code(name) + " |");
        ASSERT_FALSE(row.empty()) << "no row for it in the manual";
        std::vector<std::string> texts = {low, high, defaults[i]};
        if (i < kNumParams && kParameterTable[i].editorText)
            for (float v : {0.0f, 1.0f, defaultValue})
            {
                char text[kValueTextCapacity] = {};
                kParameterTable[i].editorText(v, text);
                texts.push_back(text);
            }
        for (const std::string& text : texts)
            EXPECT_NE(row.find(code(text)), std::string::npos)
                << code(text) << " is missing from: " << row;
    }
}

// Every program has a row "| number | `name` |" in the manual.
TEST_F(ManualText, EveryProgramHasARowWithItsNumberAndName)
{
    const int count = plugin->programCount();
    ASSERT_GT(count, 0);
    for (int p = 0; p < count; ++p)
    {
        const std::string cells =
            "| " + std::to_string(p) + " | " + code(plugin->programName(p)) + " |";
        EXPECT_FALSE(rowStartingWith(cells).empty()) << "no row starting " << cells;
    }
}

// The recorded settings: picture name -> ofc-host snapshot options.
std::map<std::string, std::vector<std::string>> recordedPictures()
{
    std::map<std::string, std::vector<std::string>> pictures;
    std::vector<std::string>* options = nullptr;
    for (const std::string& line : linesOf(readFile(kDocs / "images" / "pictures.txt")))
    {
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']')
        {
            options = &pictures[line.substr(1, line.size() - 2)];
            continue;
        }
        if (!options) continue;
        const auto space = line.find(' ');
        options->push_back(line.substr(0, space));
        if (space != std::string::npos) options->push_back(line.substr(space + 1));
    }
    return pictures;
}

std::vector<std::string> matches(const std::string& text, const std::regex& pattern)
{
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern);
         it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1]);
    return found;
}

// Every picture in the manual is one of the recorded ones and is, within the channel tolerance
// that text anti-aliasing needs, what the build draws from its settings now; every recorded
// picture is used.
TEST(ManualPictures, EachIsWhatTheBuildDrawsFromItsRecordedSettings)
{
    const auto recorded = recordedPictures();
    const auto shown =
        matches(readFile(kDocs / "manual.md"), std::regex(R"(!\[[^\]]*\]\(images/([^)]+)\))"));
    ASSERT_FALSE(shown.empty());
    const std::set<std::string> shownSet(shown.begin(), shown.end());
    for (const auto& [name, options] : recorded)
        EXPECT_TRUE(shownSet.count(name)) << name << " is recorded but not in the manual";

    for (const std::string& name : shownSet)
    {
        SCOPED_TRACE(name);
        const auto entry = recorded.find(name);
        ASSERT_NE(entry, recorded.end()) << "no recorded settings in pictures.txt";
        const std::string drawnPath = ::testing::TempDir() + "manual-" + name;
        std::vector<std::string> args = {OFC_PLUGIN_PATH, drawnPath};
        args.insert(args.end(), entry->second.begin(), entry->second.end());
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        ofchost::SnapshotRequest request;
        ofchost::SnapshotReport report;
        std::string error;
        ASSERT_TRUE(ofchost::parseSnapshotArguments(int(argv.size()), argv.data(), request, error))
            << error;
        ASSERT_TRUE(ofchost::takeSnapshot(request, report, error)) << error;

        auto drawn = loadPicture(drawnPath);
        auto committed = loadPicture((kDocs / "images" / name).string());
        ASSERT_NE(drawn, nullptr);
        ASSERT_NE(committed, nullptr) << "docs/images/" << name << " is missing or no PNG";
        const PixelImage& a = *drawn->getImage();
        const PixelImage& b = *committed->getImage();
        ASSERT_EQ(a.getWidth(), b.getWidth());
        ASSERT_EQ(a.getHeight(), b.getHeight());
        int differing = 0, worst = 0;
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
            {
                const int d = channelDifference(a.colorAt(x, y), b.colorAt(x, y));
                worst = std::max(worst, d);
                differing += d > 2 ? 1 : 0;
            }
        EXPECT_EQ(differing, 0) << "largest channel difference " << worst
                                << "; scripts/manual-pictures.sh draws it anew (" << drawnPath
                                << ")";
    }
}

// GitHub's anchor of a heading: lower case, punctuation other than '-' and '_' dropped,
// spaces as '-'.
std::set<std::string> anchorsOf(const std::string& markdown)
{
    std::set<std::string> anchors;
    bool inCode = false;
    for (const std::string& line : linesOf(markdown))
    {
        if (line.rfind("```", 0) == 0) inCode = !inCode;
        if (inCode || line.empty() || line[0] != '#') continue;
        const std::string title = trimmed(line.substr(line.find_first_not_of('#')));
        std::string anchor;
        for (unsigned char c : title)
        {
            if (std::isalnum(c) || c == '-' || c == '_')
                anchor += char(std::tolower(c));
            else if (c == ' ')
                anchor += '-';
            else if (c >= 0x80)
                anchor += char(c);
        }
        anchors.insert(anchor);
    }
    return anchors;
}

// Every link that is not to the web leads to a file that exists, and a "#part" of a Markdown
// file to one of its headings; the README links the manual.
TEST(ManualLinks, EveryRelativeLinkResolves)
{
    const fs::path manual = kDocs / "manual.md";
    const std::string text = readFile(manual);
    const auto targets = matches(text, std::regex(R"(\]\(([^)\s]+)\))"));
    ASSERT_FALSE(targets.empty());
    for (const std::string& target : targets)
    {
        if (std::regex_search(target, std::regex("^[a-z]+:"))) continue;
        const auto hash = target.find('#');
        const std::string file = target.substr(0, hash);
        const fs::path path = file.empty() ? manual : kDocs / file;
        EXPECT_TRUE(fs::exists(path)) << target;
        if (hash != std::string::npos && path.extension() == ".md" && fs::exists(path))
        {
            EXPECT_TRUE(anchorsOf(readFile(path)).count(target.substr(hash + 1)))
                << target << ": no such heading";
        }
    }
    EXPECT_NE(readFile(kDocs.parent_path() / "README.md").find("](docs/manual.md)"),
              std::string::npos);
}

} // namespace
