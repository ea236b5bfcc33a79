#pragma once
// Written by prestova_interface_sources from the member table
// (control/member_table.cpp), as tallymere.idl is; do not edit: change the
// table. The forty properties as the dual interface declares them (get_/put_
// pairs), for declaring and defining their vtable members in one line each.
#define PRESTOVA_PROPERTIES(X) \
    X(JavaVersion) \
    X(DiskSpaceRec) \
    X(DiskSpaceMin) \
    X(MemoryMin) \
    X(MemoryRec) \
    X(CPUMin) \
    X(CPURec) \
    X(BlueYRM) \
    X(RedYRM) \
    X(GreenYRM) \
    X(BlueBadYRM) \
    X(RedBadYRM) \
    X(GreenBadYRM) \
    X(BlueOkYRM) \
    X(RedOkYRM) \
    X(GreenOkYRM) \
    X(Blue2YRM) \
    X(Red2YRM) \
    X(Green2YRM) \
    X(Blue3YRM) \
    X(Red3YRM) \
    X(Green3YRM) \
    X(OSRec) \
    X(OSMin) \
    X(IEVersion) \
    X(Zip1) \
    X(Zip1URL) \
    X(Zip2) \
    X(Zip2URL) \
    X(JavaURL) \
    X(RealURL) \
    X(IEURL) \
    X(AdobeURL) \
    X(FlashURL) \
    X(recColorDepth) \
    X(MinColorDepth) \
    X(ScreenRecWid) \
    X(ScreenRecHgt) \
    X(ScreenMinWid) \
    X(ScreenMinHgt)
