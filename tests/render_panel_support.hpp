#pragma once
// A panel filled the way a run on an ordinary XP laptop leaves it, with a
// failing disk row and a second run's extra face, for the render tests.
#include "control/panel_state.hpp"
#include "render/panel_render.hpp"

#include <string>
#include <string_view>

namespace prestova::testing {

inline void fill_realistic_panel(PanelState& panel)
{
    using enum ControlId;
    panel.set_caption(LabelMemAmount, "512.00 Megabytes");
    panel.set_caption(memRecommend, "You have more than the recommended amount of RAM needed to use any "
                                    "Marvanta system without problems.");
    panel.make_visible(memGood);
    panel.make_visible(memOk);  // a second run with less memory leaves both

    panel.set_caption(Label14, "1.70 GHz");
    panel.set_caption(Label17, "Your system meets the recommended minimum of 633 Mhz required to run any of "
                               "Marvanta's online learning systems.");
    panel.make_visible(procgood);

    panel.set_caption(Label4, "C: 0.30 Gigabytes");
    panel.set_caption(Label7, "You have less than the 512 Megabytes minimum free disk space. Please free some "
                              "space on drive C: before you install any of Marvanta's software.");
    panel.set_background(Label7, rgb(255, 0, 0));
    panel.make_visible(diskbad);

    panel.set_caption(Label19, "1024x768\r True Color (32 bit)");
    panel.set_caption(Label20, "1024x768\rTrue Color");
    panel.set_caption(Label21, "800x600\r256 Colors");
    panel.set_caption(Label22, "Ready. The current video resolution and color depth will provide a good user "
                               "experience.");
    panel.make_visible(videogood);

    panel.set_caption(Label24, "Windows XP");
    panel.set_caption(Label25, "Windows XP");
    panel.set_caption(Label26, "Windows 98");
    panel.set_caption(Label27, "Your operating system is up-to-date.");
    panel.make_visible(osgood);

    panel.set_caption(Label28, "Adobe Acrobat Reader is not installed.\rMacromedia Flash Player version 7 is "
                               "installed.\rRealPlayer not installed or need update.\rNo zip application is "
                               "installed.\rJava Runtime Environment 1.4.2 is installed.\r");
    panel.make_visible(acrolink);
    panel.make_visible(reallink);
    panel.set_caption(ziplink1, "JustZIPit");
    panel.set_caption(ziplink2, "WinZip");
    panel.make_visible(ziplink1);
    panel.make_visible(ziplink2);
    panel.set_caption(Label30, "Some required software was undetected on your system. Please click the links "
                               "above to download the missing software.");
    panel.make_visible(softok);

    panel.set_caption(Label33, "Internet Explorer 6.0.2900.2180 installed.\rFirefox 1.0.7 installed.\r");
    panel.set_caption(Label34, "You have Internet Explorer version 6.0.2900.2180, which meets the requirement of "
                               "6.0. Internet Explorer is your default browser.");
    panel.make_visible(browsgood);
}

inline std::size_t occurrences(std::string_view text, std::string_view needle)
{
    std::size_t n = 0;
    for (auto at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + needle.size())) ++n;
    return n;
}

}  // namespace prestova::testing
