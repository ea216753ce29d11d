// The region module's entry: the request's plain values into RegionOptions, RunRegion, and
// every failure into a message, since nothing may be thrown across the entry.
#include "RegionModule.h"

#include <new>

#include "Errors.h"
#include "FieldCrops.h"
#include "RegionRun.h"

extern "C" __attribute__((visibility("default"))) bool halosoil_run_region(
    const HalosoilRegionRequest* request, HalosoilRegionSummary* summary) {
    using namespace halosoil::region;
    RegionOptions options;
    options.base = request->base;
    options.fields = {request->fields, request->layer, request->idColumn, {}};
    options.refine = request->refine != 0;
    options.optimise = request->optimise != 0;
    options.exchange = request->exchange != 0;
    options.saltBalance = request->conservingSalt != 0 ? halosoil::SaltBalanceKind::Conserving
                                                       : halosoil::SaltBalanceKind::Specified;
    options.weatherFill = request->weatherFill != 0;
    options.weatherMaxGap = request->weatherMaxGap;
    options.threads = request->threads;
    options.results = request->results;
    options.outputs = request->outputs;
    options.projects = request->projects;
    options.command = request->command;
    options.message = [request](const std::string& text) {
        request->message(request->context, text.c_str());
    };
    if (request->progress)
        options.progress = [request](long long done, long long count) {
            request->progress(request->context, done, count);
        };
    try {
        ChooseRegionCrop(options, request->crop ? request->crop : "",
                         request->crops ? request->crops : "", request->eceFactor);
        const RegionSummary done = RunRegion(options);
        *summary = {done.fields,  done.ran,          done.stopped,
                    done.refused, done.failedWrites, done.seconds};
        return true;
    } catch (const halosoil::HalosoilError& error) {
        request->message(request->context, error.what());
    } catch (const std::bad_alloc&) {
        request->message(request->context, halosoil::kNotEnoughMemory);
    } catch (const std::exception& error) {
        request->message(request->context, error.what());
    }
    return false;
}
