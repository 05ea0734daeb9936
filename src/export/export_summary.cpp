#include "export/export_summary.h"

#include <cstdio>
#include <functional>
#include <sstream>
#include <vector>

#include "export/export_blocks.h"
#include "export/export_names.h"
#include "platform/build_info.h"

namespace vorlin {

namespace {

constexpr char kBannerFirst[] = "\tExported by Brenn's Vorlin v";
constexpr char kBannerSecond[] = "\t(comments, kudos, flames to \"the Vorlin issue tracker\")";

std::string RuleLine(const std::string& prefix) {
    std::string rule = prefix;
    if (rule.size() < kSummaryRuleWidth) rule.append(kSummaryRuleWidth - rule.size(), '=');
    return rule + '\n';
}

const char* CompressionOf(std::uint32_t flags) {
    return CompressionSummaryName(BlockCompression(flags));
}

int WorkTiles(const ExportJob& job) {
    if (!job.work) return 0;
    const std::int64_t pixels =
        static_cast<std::int64_t>(DibWidth(job.work.get())) * DibHeight(job.work.get());
    return static_cast<int>(pixels / 64);
}

void AppendGraphicsLine(std::ostringstream& out, const ExportJob& job, const std::string& p) {
    out << p << "\t+ ";
    if (job.imgFlags & IMG_BITMAP) {
        out << "bitmap ";
    } else {
        out << WorkTiles(job) << " tiles ";
        if ((job.mapFlags & MAP_REDUCE) && ExportsMap(job)) {
            out << "(t";
            if (job.mapFlags & MAP_FLIP) out << "|f";
            if (job.mapFlags & MAP_PALBANK) out << "|p";
            out << " reduced) ";
        }
        if (HasTileGroups(job) && !ExportsMap(job))
            out << job.metaWidth << 'x' << job.metaHeight << " metatiles ";
    }
    out << CompressionOf(job.imgFlags) << " compressed\n";
}

const char* MapLayoutText(std::uint32_t mapFlags) {
    const bool sbb = (mapFlags & MAP_SBB) != 0;
    const bool affine = (mapFlags & MAP_AFFINE) != 0;
    if (sbb && affine) return "";
    if (sbb) return "regular map (in SBBs), ";
    if (affine) return "affine map, ";
    return "regular map (flat), ";
}

void AppendMapLines(std::ostringstream& out, const ExportJob& job, const std::string& p,
                    const std::string& lead = "\t+ ") {
    out << p << lead << MapLayoutText(job.mapFlags) << CompressionOf(job.mapFlags)
        << " compressed, " << ExportMapColumns(job) << 'x' << ExportMapRows(job) << " \n";
    if (HasTileGroups(job))
        out << p << '\t' << job.metaWidth << 'x' << job.metaHeight << " metatiles\n";
}

void AppendTotalLine(std::ostringstream& out, const std::vector<WriteBlock>& blocks,
                     const std::string& p) {
    if (blocks.empty()) return;
    std::int64_t total = 0;
    out << p << "\tTotal size: ";
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const std::int64_t size = static_cast<std::int64_t>(blocks[i].data->bytes.size());
        out << size << (i + 1 < blocks.size() ? " + " : " = ");
        total += size;
    }
    out << total << '\n';
}

std::string TimeStamp(const std::tm& when) {
    char text[64];
    const std::size_t n = std::strftime(text, sizeof text, kSummaryTimeFormat, &when);
    return std::string(text, n);
}

}  // namespace

const std::string& ExportBanner() {
    static const std::string banner =
        std::string(kBannerFirst) + ProgramVersion() + '\n' + kBannerSecond;
    return banner;
}

namespace {

void AppendSharedLines(std::ostringstream& out, const ExportJob& job, const std::string& p) {
    if (ExportsPalette(job))
        out << p << "\t+ palette " << job.palData.bytes.size() / 2 << " entries, "
            << CompressionOf(job.palFlags) << " compressed\n";
    if (ExportsGraphics(job)) AppendGraphicsLine(out, job, p);
}

// The rule, the lines `body` wrote, the time stamp, the banner and the rule.
std::string Framed(const std::string& p, const std::tm& when,
                   const std::function<void(std::ostringstream&)>& body) {
    const std::string rule = RuleLine(p);
    std::ostringstream out;
    out << rule << p << '\n';
    body(out);
    out << p << '\n' << p << "\tTime-stamp: " << TimeStamp(when) << '\n';
    std::istringstream banner(ExportBanner());
    for (std::string line; std::getline(banner, line);) out << p << line << '\n';
    out << p << '\n' << rule << '\n';
    return out.str();
}

}  // namespace

std::string SummaryComment(const ExportJob& job, const char* prefix, const std::tm& when) {
    const std::string p = prefix;
    return Framed(p, when, [&](std::ostringstream& out) {
        out << p << '\t' << job.symbol << ", " << static_cast<std::int64_t>(job.right) - job.left
            << 'x' << static_cast<std::int64_t>(job.bottom) - job.top << '@' << job.bpp << ", \n";
        AppendSharedLines(out, job, p);
        if (ExportsMap(job)) AppendMapLines(out, job, p);
        AppendTotalLine(out, BlocksToWrite(job), p);
    });
}

std::string SetSummaryComment(const ExportJob& shared, const std::vector<const ExportJob*>& pictures,
                              const std::vector<WriteBlock>& blocks, const char* prefix,
                              const std::tm& when) {
    const std::string p = prefix;
    return Framed(p, when, [&](std::ostringstream& out) {
        out << p << '\t' << shared.symbol << ", " << pictures.size() << " pictures @" << shared.bpp
            << ", \n";
        AppendSharedLines(out, shared, p);
        for (const ExportJob* picture : pictures) {
            out << p << "\t+ " << picture->symbol << ", " << picture->right - picture->left << 'x'
                << picture->bottom - picture->top << '\n';
            if (ExportsMap(*picture)) AppendMapLines(out, *picture, p, "\t  ");
        }
        AppendTotalLine(out, blocks, p);
    });
}

}  // namespace vorlin
