// The service's two servers and every address the launcher uses on them. The base addresses
// are build options (scheme, host and optional port, no trailing slash).
#pragma once

#include <string>

#ifndef DORVEX_WEB_SERVER
#define DORVEX_WEB_SERVER "http://www.dorvex.co.kr"
#endif
#ifndef DORVEX_B2B_SERVER
#define DORVEX_B2B_SERVER "http://b2b.dorvex.co.kr"
#endif
#ifndef DORVEX_PLAYER_SITE
#define DORVEX_PLAYER_SITE "http://www.altools.co.kr"
#endif

namespace dorvex {

inline const std::string WebServer = DORVEX_WEB_SERVER;
inline const std::string B2bServer = DORVEX_B2B_SERVER;
inline const std::string PlayerSite = DORVEX_PLAYER_SITE;

namespace paths {
// WebServer: files and text answers.
inline constexpr const char* kSettingsFile = "/cab/DorvexManager.ini";
inline constexpr const char* kPositionQuery = "/version/pos.php";
inline constexpr const char* kPcRoomQuery = "/desktop/pcroom/"; // followed by the PC-room key
inline constexpr const char* kBusinessPlacementQuery = "/version/pos2.php";
inline constexpr const char* kVersionQuery = "/version/?app_name="; // followed by the file name
inline constexpr const char* kLoaderFile = "/cab/LauncherLoader.exe";
// WebServer: home pages.
inline constexpr const char* kHomeComic = "/free_zone/?menu=free_comic";
inline constexpr const char* kHomeNovel = "/free_zone/?menu=free_novel";
inline constexpr const char* kHomeVod = "/vod/";
// B2bServer: business pages.
inline constexpr const char* kBusinessComic = "/comic.php";
inline constexpr const char* kBusinessNovel = "/novel.php";
inline constexpr const char* kBusinessVod = "/vod.php";
// PlayerSite: the music player's product page.
inline constexpr const char* kPlayerProduct = "/Product/AlSong_Intro.aspx";
} // namespace paths

} // namespace dorvex
