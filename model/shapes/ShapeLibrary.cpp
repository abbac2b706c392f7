#include "model/shapes/ShapeLibrary.h"

#include <fstream>
#include <sstream>
#include <type_traits>

#include "foundation/DataLineReader.h"
#include "foundation/ProgramPaths.h"
#include "foundation/ReportText.h"
#include "foundation/StrFormat.h"
#include "foundation/TDepthTable.h"

std::array<std::unique_ptr<TShape>, kShapeTableSize> ShapeTable;
std::array<std::unique_ptr<TStandard>, kShapeTableSize> StandardTable;

namespace {

// Characters of a line of the data files that are read; the rest of a longer line is lost.
constexpr std::size_t kShapeLineChars = 128;

const char kShapeFileName[] = "shape.dat";
const char kStandardFileName[] = "standard.dat";

// The data-file services log their complaints straight into the load-error log; while the
// library is loaded an empty report is started with the library's header for them, and
// taken away again when nothing was added.
class LoadReportHeader {
public:
    LoadReportHeader() : m_started(!HasReportText())
    {
        if (m_started) {
            g_ReportText = std::make_unique<std::string>(kShapeLoadHeader);
            g_ReportText->reserve(kReportTextCapacity);
        }
    }
    ~LoadReportHeader()
    {
        if (m_started && g_ReportText && *g_ReportText == kShapeLoadHeader)
            ClearReportText();
    }
    LoadReportHeader(const LoadReportHeader&) = delete;
    LoadReportHeader& operator=(const LoadReportHeader&) = delete;

private:
    bool m_started;
};

const char* KindWord(int kind)
{
    return kind == 0 ? "SHAPE" : "STANDARD";
}

template <typename Section> std::unique_ptr<Section> NewSection(int position)
{
    if constexpr (std::is_same_v<Section, TShape>)
        return std::make_unique<TShape>(position);
    else
        return std::make_unique<TStandard>();
}

// Reads the TYPE blocks of an open file into the table of the kind.
template <typename Section>
void ReadShapeFile(std::istream& in,
                   int kind,
                   std::array<std::unique_ptr<Section>, kShapeTableSize>& table)
{
    const char* kindWord = KindWord(kind);
    DataLineReader reader(in, kShapeLineChars);
    std::string line;
    while (reader.Next(line)) {
        if (reader.LastLineCut())
            ReportShapeError(
                StrPrintf("%s: Line too long (>128 characters).. truncated to 128", kindWord),
                0);
        const std::vector<std::string> tokens = SplitTokens(line);
        if (tokens.empty() || tokens[0].compare(0, 2, "//") == 0)
            continue;
        if (tokens[0] != "TYPE" && tokens[0] != "type")
            continue;
        if (tokens.size() < 2) {
            ReportShapeError(StrPrintf("%s: No title of section after TYPE keyword", kindWord), 0);
            continue;
        }
        const std::string name = BoundedCopy(tokens[1], kShapeNameChars);
        int free = -1;
        bool duplicate = false;
        for (int i = 0; i < kShapeTableSize; ++i) {
            const auto& entry = table[static_cast<std::size_t>(i)];
            if (entry && entry->name == name)
                duplicate = true;
            else if (!entry && free < 0)
                free = i;
        }
        if (duplicate) {
            ReportShapeError(StrPrintf("%s %s: Duplicate section name", kindWord, name.c_str()), 0);
            continue;
        }
        if (free < 0) {
            ReportShapeError(StrPrintf("%s %s: Too many sections in file; only %d allowed. "
                                       "Loading stopped",
                                       kindWord,
                                       name.c_str(),
                                       kShapeTableSize),
                             0);
            return;
        }
        auto section = NewSection<Section>(free);
        if (section->ReadShape(reader, name) != 0)
            table[static_cast<std::size_t>(free)] = std::move(section);
    }
}

// Empties the table of the kind and reads the file's blocks into it.
void ReadShapeTable(std::istream& in, int kind)
{
    if (kind == 0) {
        ShapeTable = {};
        ReadShapeFile(in, kind, ShapeTable);
    } else {
        StandardTable = {};
        ReadShapeFile(in, kind, StandardTable);
    }
}

} // namespace

void ReadShapeLibraryText(int kind, std::string_view text)
{
    std::istringstream in{std::string(text)};
    const LoadReportHeader header;
    ReadShapeTable(in, kind);
}

int WriteDefaultShapes(int kind)
{
    // There is no default catalogue of standard sections.
    if (kind != 0)
        return 0;
    const DataFileLocation location(ProgramFilePath(kShapeFileName));
    const LoadReportHeader header;
    const std::string written = location.CreateWithDefault(
        DefaultShapeFileText(),
        "Automatic creation of shape.dat file failed. Disk may be full or read-only.\r\nThis "
        "means that the standard shapes (circle rectangle etc) willl not be available");
    return written.empty() ? 0 : 1;
}

int LoadShapeLibrary(int kind)
{
    const DataFileLocation location(
        ProgramFilePath(kind == 0 ? kShapeFileName : kStandardFileName));
    if (kind == 0)
        ShapeTable = {};
    else
        StandardTable = {};
    const LoadReportHeader header;

    std::string path = location.FindReadable();
    if (path.empty()) {
        WriteDefaultShapes(kind);
        path = location.FindReadable();
        if (path.empty())
            return 0;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return 0;
    ReadShapeTable(in, kind);
    return 1;
}

int FindShapeIndex(const std::string& name)
{
    for (int i = 0; i < kShapeTableSize; ++i) {
        const auto& entry = ShapeTable[static_cast<std::size_t>(i)];
        if (entry && entry->name == name)
            return i;
    }
    return -1;
}

int EvaluateShapeOutline(TSectionBase& shape,
                         TDepthTable& depthWidth,
                         TDepthTable& depthValue,
                         const ShapeParams& params,
                         double value)
{
    const int result = shape.EvaluateOutline(params);
    depthWidth.Clear();
    depthValue.Clear();
    for (int i = 0; i < shape.pointCount; ++i) {
        const ShapePoint& p = shape.points[static_cast<std::size_t>(i)];
        depthWidth.Add(p.depth, p.width);
        depthValue.Add(p.depth, value);
    }
    return result;
}

double GetShapeHeight(const TSectionBase& shape)
{
    return shape.GetShapeHeight();
}

bool IsLibraryShape(int code)
{
    return code >= 0 && code < kShapeTableSize && ShapeTable[static_cast<std::size_t>(code)];
}
