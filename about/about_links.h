#pragma once
// Fixed addresses and names of the about box and the update check.

namespace orvane {

// The maker's update share; the update folder of a program is
// <base>NAS_file_Share/<app_name>/. The environment variable below replaces it
// for the window and orvane-tool alike (tests point it at a local server).
inline constexpr const char* kDefaultUpdateBase = "https://files.orvane.example.org/";
inline constexpr const char* kUpdateBaseEnv = "ORVANE_UPDATE_BASE";

// The picture of the about box opens the home page; the company label opens
// the document's "website", or the start page when there is none.
inline constexpr const char* kMakerHomePage = "https://orvane.example.org/";
inline constexpr const char* kMakerStartPage = "https://orvane.example.org/start/";
inline constexpr const char* kCompanyName = "Orvane Software";

// The window's program name: orvane-tool checks for the window's updates.
inline constexpr const char* kWindowProgramName = "orvane";

// How long the update document may take; how long a download may go without
// receiving data.
inline constexpr int kUpdateTimeoutMs = 10000;
inline constexpr int kDownloadIdleTimeoutMs = 30000;

}  // namespace orvane
