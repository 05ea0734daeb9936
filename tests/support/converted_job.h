// An export converted in memory from a picture: the options the export tests vary.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "core/packed_dib.h"
#include "export/export_job.h"

namespace vorlin::testing {

struct JobSetup {
    int bpp = 4;
    std::uint32_t imgFlags = BLK_EXPORT;  // with IMG_BITMAP for a bitmap
    std::uint32_t mapFlags = 0;           // BLK_EXPORT is added unless mapped is false
    bool mapped = true;
    int palCompression = BLK_CPRS_NONE, imgCompression = BLK_CPRS_NONE,
        mapCompression = BLK_CPRS_NONE;
    int palStart = 0, palEnd = 256;
    int tileOffset = 0;
    int metaWidth = 1, metaHeight = 1;
    int left = 0, top = 0;
};

// The job validated and converted (both expected to succeed); its blocks hold the data.
inline ExportJobPtr ConvertedJob(DibPtr picture, const JobSetup& s) {
    ExportJobPtr job(ExportJobNew());
    job->left = s.left;
    job->top = s.top;
    job->right = DibWidth(picture.get());
    job->bottom = DibHeight(picture.get());
    job->image = std::move(picture);
    job->outFlags = OUT_CONVERT_ONLY;
    job->palFlags = WithCompression(BLK_EXPORT, s.palCompression);
    job->palStart = s.palStart;
    job->palEnd = s.palEnd;
    job->imgFlags = WithCompression(s.imgFlags, s.imgCompression);
    job->bpp = s.bpp;
    if (s.mapped) job->mapFlags = WithCompression(s.mapFlags | BLK_EXPORT, s.mapCompression);
    job->tileOffset = s.tileOffset;
    job->metaWidth = s.metaWidth;
    job->metaHeight = s.metaHeight;
    EXPECT_EQ(ExportValidate(job.get()), 1);
    EXPECT_EQ(ExportConvert(job.get()), 1);
    return job;
}

}  // namespace vorlin::testing
