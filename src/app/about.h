#pragma once

namespace tapmill::about {

// Who makes Tapmill, as the author panel and the help text show it.
inline const char* const kMakerName = "Tapmill 开发组";
inline const char* const kContact = "联系电话：无（请在主页留言）";
inline const char* const kHomepage = "http://www.tapmill.example/";
inline const char* const kStudio = "Tapmill 工作室";
inline const char* const kReleaseDate = "发布日期：2026-12-07";
inline const char* const kHelpFile = "TAPMILL帮助文档.CHM";

}  // namespace tapmill::about
