#include "framework/report/report_model.h"

#include <cmath>

namespace fw {

int MillimetresToReportUnits(double millimetres)
{
    return static_cast<int>(std::lround(millimetres / 25.4 * ScreenPixelsPerInch));
}

ReportPageSetup ReportPageSetup::FromMillimetres(double width, double height)
{
    ReportPageSetup setup;
    setup.PageWidth = MillimetresToReportUnits(width);
    setup.PageHeight = MillimetresToReportUnits(height);
    return setup;
}

// --- Bands -----------------------------------------------------------------------------------

ReportBand::ReportBand(Report& report, ReportBandType type, std::string name)
    : report_(&report), type_(type), name_(std::move(name))
{
}

template <class Control>
Control* ReportBand::Add(std::string name)
{
    auto control = std::make_unique<Control>(*this, std::move(name));
    Control* added = control.get();
    controls_.push_back(std::move(control));
    return added;
}

ReportLabel* ReportBand::AddLabel(std::string name)
{
    return Add<ReportLabel>(std::move(name));
}

ReportShape* ReportBand::AddShape(std::string name)
{
    return Add<ReportShape>(std::move(name));
}

ReportImage* ReportBand::AddImage(std::string name)
{
    return Add<ReportImage>(std::move(name));
}

ReportSysData* ReportBand::AddSysData(std::string name)
{
    return Add<ReportSysData>(std::move(name));
}

ReportControl* ReportBand::FindControl(std::string_view name) const
{
    for (const auto& control : controls_) {
        if (control->Name() == name) {
            return control.get();
        }
    }
    return nullptr;
}

// --- The report ------------------------------------------------------------------------------

ReportBand* Report::Adopt(std::unique_ptr<ReportBand> band)
{
    ReportBand* adopted = band.get();
    bands_.push_back(std::move(band));
    return adopted;
}

ReportBand* Report::AddBand(ReportBandType type, std::string name)
{
    switch (type) {
    case ReportBandType::Title:
        if (title_ != nullptr) {
            throw EReportError("A report has one title band.");
        }
        title_ = Adopt(std::make_unique<ReportBand>(*this, type, std::move(name)));
        return title_;
    case ReportBandType::PageFooter:
        if (footer_ != nullptr) {
            throw EReportError("A report has one page footer band.");
        }
        footer_ = Adopt(std::make_unique<ReportBand>(*this, type, std::move(name)));
        return footer_;
    case ReportBandType::Detail:
        details_.push_back(Adopt(std::make_unique<ReportBand>(*this, type, std::move(name))));
        return details_.back();
    case ReportBandType::Child:
        break;
    }
    throw EReportError("A child band needs its parent band.");
}

ReportBand* Report::AddChildBand(ReportBand* parent, std::string name)
{
    if (parent == nullptr || &parent->Owner() != this) {
        throw EReportError("A child band hangs from a band of its own report.");
    }
    if (parent->child_ != nullptr) {
        throw EReportError("The band " + parent->Name() + " has a child band already.");
    }
    ReportBand* child = Adopt(std::make_unique<ReportBand>(*this, ReportBandType::Child, std::move(name)));
    child->parent_ = parent;
    parent->child_ = child;
    return child;
}

ReportBand* Report::FindBand(std::string_view name) const
{
    for (const auto& band : bands_) {
        if (band->Name() == name) {
            return band.get();
        }
    }
    return nullptr;
}

} // namespace fw
