#include "common/opened_system.h"

#include "platform/form.h"
#include "platform/regional_settings.h"
#include "platform/window_service.h"
#include "common/window_names.h"
#include "solver/peremennye.h"

namespace {

SystemTexts& waiting()
{
    static SystemTexts system;
    return system;
}

}  // namespace

void openSystemInGrid(const SystemTexts& system)
{
    peremennye().kol_neizv = QString::number(system.n).toStdU16String();
    waiting() = system;
    platform::WindowService& service = platform::windows();
    for (const platform::WindowName name :
         {window::Baza_frm, window::Nachalo_frm, window::Start_frm, window::Start2_frm, window::Rezultat_frm})
        service.unload(service.find(name));
    service.show(window::Start_frm);
}

std::optional<SystemTexts> lastSystem()
{
    if (peremennye().tochnost == 0.0)
        return std::nullopt;
    return systemFromCopies();
}

SystemTexts systemFromCopies()
{
    const Peremennye& state = peremennye();
    SystemTexts system;
    system.n = unknownCount();
    for (int i = 1; i <= system.n; ++i) {
        system.coefficients.emplace_back();
        for (int j = 1; j <= system.n; ++j)
            system.coefficients.back().push_back(platform::generalText(state.matr_kopiya(i, j).value()));
        system.rightHandSides.push_back(platform::generalText(state.otvety_kopiya(i).value()));
    }
    return system;
}

void openLastSystem()
{
    if (const auto system = lastSystem())
        openSystemInGrid(*system);
}

std::vector<std::vector<QString>> takeWaitingCoefficients()
{
    return std::exchange(waiting().coefficients, {});
}

std::vector<QString> takeWaitingRightHandSides()
{
    return std::exchange(waiting().rightHandSides, {});
}
