// The six files the demo reads, by their names relative to the data directory.
#pragma once

constexpr const char* smileFile = "smile.sos";
constexpr const char* rageFile = "rage.sos";
constexpr const char* closedFile = "closed.sos";
constexpr const char* rocksFile = "rocks.bmp";
constexpr const char* skyFile = "sunsetclouds.bmp";
constexpr const char* lightmapFile = "Lightmap.bmp";

constexpr const char* dataFileNames[] = {smileFile, rageFile, closedFile, rocksFile, skyFile, lightmapFile};
