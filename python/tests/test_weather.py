"""Weather records to time steps: reading station files and gridded datasets, FAO-56 ET0,
delta change, the grouping into steps and a project's rain and evaporation replaced."""

import calendar
import errno
import math

import numpy as np
import pytest

import halosoil
from conftest import EXAMPLES, batch_output

pd = pytest.importorskip("pandas")


def saturation(t):
    # FAO-56 eq. 11, kPa.
    return 0.6108 * math.exp(17.27 * t / (t + 237.3))


def brussels_by_hand(ea=None):
    """FAO-56's daily example (Brussels, 6 July) worked through its equations: the intermediate
    values and ET0 in mm/day. With ea the actual vapour pressure is that instead of eq. 17's."""
    latitude = math.radians(50 + 48 / 60)
    j = 187  # 6 July of a year of 365 days
    tmax, tmin = 21.5, 12.3
    tmean = (tmax + tmin) / 2
    pressure = 101.3 * ((293 - 0.0065 * 100) / 293) ** 5.26
    gamma = 0.665e-3 * pressure
    delta = 4098 * saturation(tmean) / (tmean + 237.3) ** 2
    es = (saturation(tmax) + saturation(tmin)) / 2
    if ea is None:
        ea = (saturation(tmin) * 84 / 100 + saturation(tmax) * 63 / 100) / 2
    u2 = 2.778 * 4.87 / math.log(67.8 * 10 - 5.42)
    dr = 1 + 0.033 * math.cos(2 * math.pi / 365 * j)
    declination = 0.409 * math.sin(2 * math.pi / 365 * j - 1.39)
    ws = math.acos(-math.tan(latitude) * math.tan(declination))
    ra = (24 * 60 / math.pi * 0.0820 * dr
          * (ws * math.sin(latitude) * math.sin(declination)
             + math.cos(latitude) * math.cos(declination) * math.sin(ws)))
    daylight = 24 / math.pi * ws
    rs = (0.25 + 0.50 * 9.25 / daylight) * ra
    rso = (0.75 + 2e-5 * 100) * ra
    rnl = (4.903e-9 * ((tmax + 273.16) ** 4 + (tmin + 273.16) ** 4) / 2
           * (0.34 - 0.14 * math.sqrt(ea)) * (1.35 * min(rs / rso, 1.0) - 0.35))
    rn = 0.77 * rs - rnl
    et0 = ((0.408 * delta * rn + gamma * 900 / (tmean + 273) * u2 * (es - ea))
           / (delta + gamma * (1 + 0.34 * u2)))
    return {"delta": delta, "gamma": gamma, "u2": u2, "es": es, "ea": ea, "ra": ra,
            "daylight": daylight, "rs": rs, "rso": rso, "rnl": rnl, "rn": rn, "et0": et0}


def brussels_frame(**changes):
    values = {"tmax": 21.5, "tmin": 12.3, "rh_max": 84.0, "rh_min": 63.0, "wind": 2.778,
              "sunshine": 9.25, "rain": 0.0}
    values.update(changes)
    index = pd.DatetimeIndex([pd.Timestamp("2001-07-06")], name="date")
    return pd.DataFrame({name: [value] for name, value in values.items()}, index=index)


def daily_frame(first, last, **columns):
    """A frame of every day from first to last, each column a function of the day."""
    index = pd.date_range(first, last, freq="D", name="date")
    return pd.DataFrame({name: [make(day) for day in index] for name, make in columns.items()},
                        index=index)


class TestStationFiles:
    def test_a_file_with_a_byte_order_mark_and_crlf_is_read_with_its_missing_values(
            self, tmp_path):
        path = tmp_path / "station.csv"
        path.write_bytes("\ufeffdate,tmax,tmin,rh_max,rh_min,wind,sunshine,rain\r\n"
                         "2001-07-06,21.5,12.3,84,63,2.778,9.25,0\r\n"
                         "2001-07-07,22,11.5,,,3.1,NA,1.5\r\n".encode("utf-8"))
        frame = halosoil.read_weather(path)
        assert list(frame.columns) == ["tmax", "tmin", "rh_max", "rh_min", "wind", "sunshine",
                                       "rain"]
        assert frame.index.name == "date"
        assert isinstance(frame.index, pd.DatetimeIndex)
        assert list(frame.index) == [pd.Timestamp("2001-07-06"), pd.Timestamp("2001-07-07")]
        assert frame.loc["2001-07-06", "wind"] == 2.778
        assert frame.loc["2001-07-07", "tmin"] == 11.5
        assert frame.loc["2001-07-07", "rain"] == 1.5
        assert all(frame[column].dtype == np.float64 for column in frame.columns)
        assert math.isnan(frame.loc["2001-07-07", "rh_max"])
        assert math.isnan(frame.loc["2001-07-07", "sunshine"])

    def test_a_column_of_another_name_is_ignored_with_a_warning(self, tmp_path):
        path = tmp_path / "station.csv"
        path.write_text("date,tmax,tmin,pressure,rain\n2001-07-06,21.5,12.3,1013,0\n")
        with pytest.warns(UserWarning, match="column 4 'pressure' is not a weather variable"):
            frame = halosoil.read_weather(path)
        assert list(frame.columns) == ["tmax", "tmin", "rain"]

    def test_a_letter_in_a_number_is_named_by_file_line_and_column(self, tmp_path):
        path = tmp_path / "station.csv"
        path.write_text("date,tmax,tmin,rain\n2001-07-06,21.5,12.3,0\n2001-07-07,2x.0,11.0,0\n")
        with pytest.raises(halosoil.InputError) as caught:
            halosoil.read_weather(path)
        assert str(caught.value).startswith(f"{path}, line 3, column 2: ")
        assert "2x.0" in str(caught.value)

    def test_a_missing_file_is_pythons_file_not_found(self, tmp_path):
        path = tmp_path / "missing.csv"
        with pytest.raises(FileNotFoundError) as caught:
            halosoil.read_weather(path)
        assert caught.value.errno == errno.ENOENT
        assert caught.value.filename == str(path)

    def test_a_frame_made_by_the_reader_computes_as_one_made_by_hand(self, tmp_path):
        path = tmp_path / "station.csv"
        path.write_text("date,tmax,tmin,rh_max,rh_min,wind,sunshine,rain\n"
                        "2001-07-06,21.5,12.3,84,63,2.778,9.25,0\n")
        from_file = halosoil.et0(halosoil.read_weather(path), latitude=50.8, elevation=100,
                                 wind_height=10)
        by_hand = halosoil.et0(brussels_frame(), latitude=50.8, elevation=100, wind_height=10)
        assert from_file.iloc[0] == by_hand.iloc[0]


class TestEt0:
    def test_the_hand_calculation_gives_the_publications_intermediate_values(self):
        # Guards the hand calculation the tests below compare with.
        worked = brussels_by_hand()
        assert worked["delta"] == pytest.approx(0.122, abs=0.0005)
        assert worked["gamma"] == pytest.approx(0.0666, abs=0.00005)
        assert worked["u2"] == pytest.approx(2.078, abs=0.0005)
        assert worked["es"] == pytest.approx(1.997, abs=0.0005)
        assert worked["ea"] == pytest.approx(1.409, abs=0.0005)
        assert worked["ra"] == pytest.approx(41.09, abs=0.005)
        assert worked["daylight"] == pytest.approx(16.1, abs=0.05)
        assert worked["rs"] == pytest.approx(22.07, abs=0.005)
        assert worked["rso"] == pytest.approx(30.90, abs=0.005)
        assert worked["rnl"] == pytest.approx(3.71, abs=0.005)
        assert worked["rn"] == pytest.approx(13.28, abs=0.01)

    def test_fao56_brussels_example_is_3_9_mm_per_day(self):
        series = halosoil.et0(brussels_frame(), latitude=50 + 48 / 60, elevation=100,
                              wind_height=10)
        assert series.name == "et0"
        assert series.index.name == "date"
        assert list(series.index) == [pd.Timestamp("2001-07-06")]
        assert series.iloc[0] == pytest.approx(3.9, abs=0.05)
        assert series.iloc[0] == pytest.approx(brussels_by_hand()["et0"], abs=1e-9)
        assert series.attrs["estimated"].iloc[0] == ""

    def test_a_day_without_humidity_takes_tmin_as_the_dew_point_and_says_so(self):
        frame = pd.concat([brussels_frame(),
                           brussels_frame(rh_max=math.nan, rh_min=math.nan)
                           .set_axis(pd.DatetimeIndex(["2001-07-07"], name="date"))])
        series = halosoil.et0(frame, latitude=50 + 48 / 60, elevation=100, wind_height=10)
        estimated = series.attrs["estimated"]
        assert list(estimated.index) == list(series.index)
        assert list(estimated) == ["", "humidity"]
        # 7 July is day 188: its sun differs a little from the 6th's, so compare the ea's
        # effect through a 6 July of the same values.
        alone = halosoil.et0(brussels_frame(rh_max=math.nan, rh_min=math.nan),
                             latitude=50 + 48 / 60, elevation=100, wind_height=10)
        assert alone.iloc[0] == pytest.approx(brussels_by_hand(ea=saturation(12.3))["et0"],
                                              abs=1e-9)
        assert alone.attrs["estimated"].iloc[0] == "humidity"

    def test_a_missing_date_is_refused_by_date_unless_filled(self):
        frame = daily_frame("2001-07-05", "2001-07-07", tmax=lambda d: 25.0,
                            tmin=lambda d: 15.0).drop(pd.Timestamp("2001-07-06"))
        with pytest.raises(halosoil.InputError) as caught:
            halosoil.et0(frame, latitude=30, elevation=150)
        assert "2001-07-06 missing from the record" in str(caught.value)
        assert "fill='linear'" in str(caught.value)
        filled = halosoil.et0(frame, latitude=30, elevation=150, fill="linear")
        assert len(filled) == 3
        assert list(filled.attrs["estimated"]) == ["humidity wind radiation",
                                                   "day tmax tmin humidity wind radiation",
                                                   "humidity wind radiation"]
        # Linear in time: the filled day's ET0 is that of a day of the same values.
        same = halosoil.et0(frame.loc[["2001-07-05"]].set_axis(
            pd.DatetimeIndex(["2001-07-06"], name="date")), latitude=30, elevation=150)
        assert filled.iloc[1] == same.iloc[0]

    def test_a_station_outside_its_limits_is_refused(self):
        with pytest.raises(halosoil.InputError, match="latitude 95"):
            halosoil.et0(brussels_frame(), latitude=95, elevation=100)
        with pytest.raises(halosoil.InputError, match="method 'penman'"):
            halosoil.et0(brussels_frame(), latitude=50, elevation=100, method="penman")


class TestDeltaChange:
    def test_a_change_adds_in_the_unit_or_by_a_percentage_on_a_hand_worked_day(self):
        frame = brussels_frame(tmax=30.0, tmin=20.0, rain=10.0)
        changed = halosoil.delta_change(frame, tmax=+2, rain="-10%")
        assert changed.loc["2001-07-06", "tmax"] == 32.0
        assert changed.loc["2001-07-06", "tmin"] == 20.0
        assert changed.loc["2001-07-06", "rain"] == pytest.approx(9.0, abs=1e-12)
        assert frame.loc["2001-07-06", "tmax"] == 30.0  # the weather given is left as it is

    def test_a_warmer_day_evaporates_more_by_hargreaves_ratio(self):
        frame = brussels_frame(tmax=30.0, tmin=20.0, rain=10.0)
        warmer = halosoil.delta_change(frame, tmax=2)
        before = halosoil.et0(frame, latitude=50.8, elevation=100, method="hargreaves")
        after = halosoil.et0(warmer, latitude=50.8, elevation=100, method="hargreaves")
        # Eq. 52: the same day's Ra cancels; (Tmean + 17.8) sqrt(Tmax - Tmin).
        ratio = (26 + 17.8) * math.sqrt(12) / ((25 + 17.8) * math.sqrt(10))
        assert after.iloc[0] > before.iloc[0]
        assert after.iloc[0] / before.iloc[0] == pytest.approx(ratio, rel=1e-12)

    def test_monthly_changes_apply_to_their_month_only(self):
        frame = daily_frame("2001-07-31", "2001-08-01", tmax=lambda d: 30.0,
                            tmin=lambda d: 20.0, rain=lambda d: 4.0)
        monthly = pd.DataFrame({"month": [7, 8], "variable": ["tmin", "rain"],
                                "change": [-1, "+50%"]})
        changed = halosoil.delta_change(frame, monthly=monthly, tmax=1)
        assert list(changed["tmin"]) == [19.0, 20.0]
        assert list(changed["rain"]) == [4.0, 6.0]
        assert list(changed["tmax"]) == [31.0, 31.0]

    @pytest.mark.parametrize("changes, words", [
        ({"tmax": "10%"}, "changes by degrees"),
        ({"rain": "-150%"}, "negative"),
        ({"rain": -20}, "rain -10 mm is negative (after the delta change)"),
        ({"pressure": 1}, "'pressure' is not a weather variable"),
        ({"rain": "lots"}, "'lots' is not a change"),
        ({"sunshine": 1}, "no column 'sunshine'"),
    ])
    def test_a_change_the_program_refuses_is_an_input_error(self, changes, words):
        frame = brussels_frame(tmax=30.0, tmin=20.0, rain=10.0).drop(columns="sunshine")
        with pytest.raises(halosoil.InputError) as caught:
            halosoil.delta_change(frame, **changes)
        assert words in str(caught.value)

    def test_a_month_outside_the_year_is_refused_naming_the_row(self):
        monthly = pd.DataFrame({"month": [13], "variable": ["tmin"], "change": [1]})
        with pytest.raises(halosoil.InputError, match=r"monthly, row 0: '13' is not a month"):
            halosoil.delta_change(brussels_frame(), monthly=monthly)


def two_months():
    # Rain 1 mm and ET0 3 mm a day in January, 2 and 4 in February.
    return daily_frame("2001-01-01", "2001-02-28",
                       rain=lambda d: 1.0 if d.month == 1 else 2.0,
                       et0=lambda d: 3.0 if d.month == 1 else 4.0)


class TestSteps:
    def test_month_steps_sum_the_rain_and_kc_times_et0_of_their_days(self):
        steps = halosoil.to_steps(two_months(), "month", latitude=30, elevation=150, kc=0.8)
        assert steps.index.name == "step"
        assert list(steps.index) == [1, 2]
        assert list(steps.columns) == ["start", "end", "days", "rain", "et0", "kc", "evap",
                                       "estimated_days"]
        assert list(steps["start"]) == [pd.Timestamp("2001-01-01"), pd.Timestamp("2001-02-01")]
        assert list(steps["end"]) == [pd.Timestamp("2001-01-31"), pd.Timestamp("2001-02-28")]
        assert list(steps["days"]) == [31, 28]
        assert list(steps["rain"]) == [31.0, 56.0]
        assert list(steps["et0"]) == [93.0, 112.0]
        assert steps["evap"].tolist() == pytest.approx([0.8 * 93, 0.8 * 112], abs=1e-9)
        assert list(steps["estimated_days"]) == [0, 0]

    def test_kc_by_month_and_by_step(self):
        monthly = {month: 1.0 for month in range(1, 13)}
        monthly.update({1: 0.5, 2: 1.2})
        by_month = halosoil.to_steps(two_months(), "month", latitude=30, elevation=150,
                                     kc=monthly)
        assert by_month["evap"].tolist() == pytest.approx([46.5, 134.4], abs=1e-9)
        assert by_month["kc"].tolist() == pytest.approx([0.5, 1.2], abs=1e-12)
        twelve = halosoil.to_steps(two_months(), "month", latitude=30, elevation=150,
                                   kc=pd.Series(monthly))
        assert twelve["evap"].tolist() == by_month["evap"].tolist()
        project = halosoil.Project(steps=2, step_length=30)
        per_step = halosoil.to_steps(two_months(), project, latitude=30, elevation=150,
                                     kc=[0.5, 1.5])
        assert per_step["evap"].tolist() == pytest.approx([46.5, 168.0], abs=1e-9)

    def test_week_steps_take_the_complete_weeks(self):
        steps = halosoil.to_steps(two_months(), "week", latitude=30, elevation=150)
        # 59 days: eight weeks; the fifth spans 29 January to 4 February.
        assert len(steps) == 8
        assert list(steps["days"]) == [7] * 8
        assert steps.loc[5, "rain"] == 3 * 1.0 + 4 * 2.0
        assert steps.loc[5, "et0"] == 3 * 3.0 + 4 * 4.0

    def test_a_step_the_record_does_not_cover_is_refused_naming_it(self):
        with pytest.raises(halosoil.InputError, match=r"step 3 \(2001-03-01 to 2001-03-31\)"):
            halosoil.to_steps(two_months(), "month", latitude=30, elevation=150, steps=3)

    @pytest.mark.parametrize("kc, words", [
        (2.5, "Kc 2.5 lies outside 0 to 2"),
        ({1: 1.0}, "months 2, 3"),
        ([1.0, 1.0, 1.0], "kc has 3 values"),
    ])
    def test_a_kc_the_program_refuses(self, kc, words):
        project = halosoil.Project(steps=2, step_length=30)
        with pytest.raises(halosoil.InputError) as caught:
            halosoil.to_steps(two_months(), project, latitude=30, elevation=150, kc=kc)
        assert words in str(caught.value)

    def test_a_month_step_starts_on_the_first_of_a_month(self):
        with pytest.raises(halosoil.InputError,
                           match="2001-01-05: a month step begins on the first day of a month"):
            halosoil.to_steps(two_months(), "month", latitude=30, elevation=150,
                              start="2001-01-05")


class TestApplyWeather:
    def weather(self, last):
        return daily_frame("2001-01-01", last, rain=lambda d: 1.0, et0=lambda d: 2.0)

    def test_rain_and_evaporation_become_the_steps(self):
        project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
        assert (project.steps, project.step_length) == (24, 30)
        summer = {month: (0.5 if month in (6, 7, 8) else 1.0) for month in range(1, 13)}
        changed = project.apply_weather(self.weather("2002-12-31"), latitude=30,
                                        elevation=150, kc=summer)
        days = [calendar.monthrange(year, month)[1] for year in (2001, 2002)
                for month in range(1, 13)]
        kc = [summer[month] for _ in (2001, 2002) for month in range(1, 13)]
        assert changed.steps == 24
        assert changed.rain.tolist() == [float(d) for d in days]
        assert changed.evaporation.tolist() == pytest.approx(
            [2.0 * d * k for d, k in zip(days, kc)], abs=1e-9)
        assert np.array_equal(changed.irrigation, project.irrigation)
        assert not np.array_equal(project.rain, changed.rain)  # the project itself is kept
        halosoil.run(changed)

    def test_a_shorter_record_cuts_the_project_with_a_warning(self):
        project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
        with pytest.warns(UserWarning, match="24 steps are cut to the 12"):
            changed = project.apply_weather(self.weather("2001-12-31"), latitude=30,
                                            elevation=150)
        assert changed.steps == 12
        assert np.array_equal(changed.irrigation, project.irrigation[:12])
        assert changed.rain[1] == 28.0

    def test_a_longer_record_fills_the_projects_steps_with_a_warning(self):
        project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
        with pytest.warns(UserWarning, match="covers 36 steps and the project has 24"):
            changed = project.apply_weather(self.weather("2003-12-31"), latitude=30,
                                            elevation=150)
        assert changed.steps == 24


def gridded(times, tmax_c, tmin_c, rain_mm, radiation_mj):
    """A dataset of 3 x 2 cells in CMIP's names and units; the cell at 51 N, 4.5 E holds the
    values given, the others warmer and wetter."""
    xarray = pytest.importorskip("xarray")
    lat = np.array([50.0, 50.5, 51.0])
    lon = np.array([4.0, 4.5])
    offset = np.array([[5.0, 4.0], [3.0, 2.0], [1.0, 0.0]])[None, :, :]

    def field(values, units, shift=1.0):
        data = np.asarray(values, dtype=float)[:, None, None] + shift * offset
        return (("time", "lat", "lon"), data, {"units": units})

    return xarray.Dataset(
        {"tasmax": field(np.asarray(tmax_c) + 273.15, "K"),
         "tasmin": field(np.asarray(tmin_c) + 273.15, "K"),
         "pr": field(np.asarray(rain_mm) / 86400.0, "kg m-2 s-1", 1e-5),
         "hurs": field(np.full(len(times), 70.0), "%", 0.0),
         "sfcWind": field(np.full(len(times), 3.0), "m s-1", 0.0),
         "rsds": field(np.asarray(radiation_mj) / 0.0864, "W m-2", 0.0)},
        coords={"time": times, "lat": lat, "lon": lon})


class TestGriddedDatasets:
    times = pd.date_range("2001-07-01", periods=5, freq="D")
    tmax = [25.0, 26.5, 24.0, 27.0, 23.5]
    tmin = [14.0, 15.0, 13.5, 16.0, 12.0]
    rain = [0.0, 3.5, 12.0, 0.0, 0.25]
    radiation = [25.0, 22.0, 12.0, 26.0, 18.0]

    def dataset(self):
        return gridded(self.times, self.tmax, self.tmin, self.rain, self.radiation)

    def frame(self):
        return pd.DataFrame({"tmax": self.tmax, "tmin": self.tmin, "rh_mean": 70.0,
                             "wind": 3.0, "radiation": self.radiation, "rain": self.rain},
                            index=pd.DatetimeIndex(self.times, name="date"))

    def test_the_nearest_cell_in_kelvin_and_kg_per_second_gives_the_et0_of_degrees_and_mm(
            self):
        weather = halosoil.read_weather(self.dataset(), latitude=50.8, longitude=4.35)
        assert weather.attrs["latitude"] == 51.0
        assert weather.attrs["longitude"] == 4.5
        assert weather.index.name == "date"
        assert weather["tmax"].tolist() == pytest.approx(self.tmax, abs=1e-9)
        assert weather["rain"].tolist() == pytest.approx(self.rain, abs=1e-9)
        assert weather["radiation"].tolist() == pytest.approx(self.radiation, abs=1e-9)
        from_grid = halosoil.et0(weather, latitude=50.8, elevation=100)
        from_frame = halosoil.et0(self.frame(), latitude=50.8, elevation=100)
        assert from_grid.tolist() == pytest.approx(from_frame.tolist(), rel=1e-9)
        assert list(from_grid.attrs["estimated"]) == list(from_frame.attrs["estimated"])
        steps = halosoil.to_steps(weather, "day", latitude=50.8, elevation=100)
        assert steps["rain"].tolist() == pytest.approx(self.rain, abs=1e-9)

    def test_a_netcdf_file_reads_as_its_dataset(self, tmp_path):
        pytest.importorskip("netCDF4")
        path = tmp_path / "grid.nc"
        self.dataset().to_netcdf(path)
        from_file = halosoil.read_weather(path, latitude=50.8, longitude=4.35)
        from_dataset = halosoil.read_weather(self.dataset(), latitude=50.8, longitude=4.35)
        assert np.allclose(from_file.to_numpy(), from_dataset.to_numpy(), rtol=1e-12)
        assert list(from_file.index) == list(from_dataset.index)

    def test_a_longitude_west_of_greenwich_finds_its_cell_in_a_grid_of_0_to_360(self):
        dataset = self.dataset().assign_coords(lon=[356.0, 356.5])
        weather = halosoil.read_weather(dataset, latitude=51, longitude=-3.6)
        assert weather.attrs["longitude"] == 356.5
        assert weather["tmax"].tolist() == pytest.approx(self.tmax, abs=1e-9)

    def test_a_dataset_of_one_day_is_a_record_of_one_day(self):
        weather = halosoil.read_weather(self.dataset().isel(time=[2]), latitude=50.8,
                                        longitude=4.35)
        assert list(weather.index) == [pd.Timestamp("2001-07-03")]
        assert weather.loc["2001-07-03", "tmax"] == pytest.approx(24.0, abs=1e-9)

    def test_other_units_are_converted(self):
        dataset = self.dataset().isel(lat=2, lon=1)
        xarray = pytest.importorskip("xarray")
        era = xarray.Dataset(
            {"tx": ("time", dataset["tasmax"].values - 273.15, {"units": "degC"}),
             "tn": ("time", dataset["tasmin"].values - 273.15, {"units": "celsius"}),
             "tp": ("time", np.array(self.rain) / 1000.0, {"units": "m"}),
             "ssrd": ("time", np.array(self.radiation) * 1e6, {"units": "J m**-2"}),
             "sund": ("time", np.full(5, 8.5 * 3600.0), {"units": "s"}),
             "d2m": ("time", np.full(5, 283.15), {"units": "K"})},
            coords={"time": self.times})
        weather = halosoil.read_weather(era)
        assert weather["rain"].tolist() == pytest.approx(self.rain, abs=1e-9)
        assert weather["radiation"].tolist() == pytest.approx(self.radiation, abs=1e-9)
        assert weather["sunshine"].tolist() == pytest.approx([8.5] * 5, abs=1e-12)
        assert weather["tdew"].tolist() == pytest.approx([10.0] * 5, abs=1e-9)
        assert weather["tmax"].tolist() == pytest.approx(self.tmax, abs=1e-9)

    def test_a_name_of_ones_own_is_mapped_with_variables(self):
        dataset = self.dataset().rename({"tasmax": "hottest"})
        weather = halosoil.read_weather(dataset, latitude=50.8, longitude=4.35,
                                        variables={"hottest": "tmax"})
        assert weather["tmax"].tolist() == pytest.approx(self.tmax, abs=1e-9)

    def test_an_unknown_unit_is_refused_naming_the_variable_and_unit(self):
        dataset = self.dataset()
        dataset["tasmax"].attrs["units"] = "degF"
        with pytest.raises(halosoil.InputError) as caught:
            halosoil.read_weather(dataset, latitude=50.8, longitude=4.35)
        assert "tasmax" in str(caught.value)
        assert "'degF'" in str(caught.value)

    def test_sub_daily_steps_are_refused(self):
        times = pd.date_range("2001-07-01", periods=5, freq="6H")
        dataset = gridded(times, self.tmax, self.tmin, self.rain, self.radiation)
        with pytest.raises(halosoil.InputError, match="steps of 6 h"):
            halosoil.read_weather(dataset, latitude=50.8, longitude=4.35)


class TestFrames:
    def test_a_frame_not_indexed_by_date_is_refused(self):
        frame = brussels_frame().reset_index(drop=True)
        with pytest.raises(halosoil.InputError, match="not dates"):
            halosoil.et0(frame, latitude=50, elevation=100)

    def test_a_value_no_weather_has_is_named_by_its_date(self):
        frame = brussels_frame(tmin=25.0)
        with pytest.raises(halosoil.InputError) as caught:
            halosoil.et0(frame, latitude=50, elevation=100)
        assert str(caught.value).startswith("weather, 2001-07-06, tmin: tmin 25 is above tmax")

    def test_text_in_a_column_is_named_by_its_date_and_column(self):
        frame = brussels_frame().astype({"tmax": object})
        frame.loc["2001-07-06", "tmax"] = "21,5"
        with pytest.raises(halosoil.InputError, match=r"2001-07-06, tmax: '21,5' is not a number"):
            halosoil.et0(frame, latitude=50, elevation=100)

    def test_the_steps_need_rain(self):
        with pytest.raises(halosoil.InputError, match="no column 'rain'"):
            halosoil.to_steps(brussels_frame().drop(columns="rain"), "day", latitude=50,
                              elevation=100)


def station_file(path, gaps):
    """Two years of a made-up station at 30 N; with gaps a week without humidity and a day
    missing altogether."""
    lines = ["date,tmax,tmin,rh_max,rh_min,wind,sunshine,rain"]
    for k, day in enumerate(pd.date_range("2001-01-01", "2002-12-31", freq="D")):
        if gaps and k == 100:
            continue
        season = math.cos(2 * math.pi * (day.dayofyear - 200) / 365)
        humidity = (",," if gaps and 40 <= k < 47
                    else f"{80 - 15 * season:.0f},{45 - 20 * season:.0f},")
        lines.append(f"{day.date()},{28 + 8 * season + 0.3 * (k % 5):.1f},"
                     f"{14 + 6 * season - 0.4 * (k % 3):.1f},{humidity}"
                     f"{2 + 0.5 * (k % 4):.1f},{7 + 2 * season:.2f},{5.0 if k % 9 == 0 else 0}")
    path.write_text("\n".join(lines) + "\n")
    return path


class TestTheBatchRunner:
    @pytest.mark.parametrize("gaps, arguments", [
        (True, ["--fill", "linear", "--kc", "0.9"]),
        (False, ["--delta", "tmax=+1", "--delta", "rain=-10%", "--step", "week"]),
    ])
    def test_the_steps_are_the_batch_runners(self, tmp_path, gaps, arguments):
        station = station_file(tmp_path / "station.csv", gaps)
        written = tmp_path / "steps.csv"
        batch_output("weather", station, "--latitude", 30, "--elevation", 150, *arguments,
                     "-o", written)
        weather = halosoil.read_weather(station)
        if gaps:
            steps = halosoil.to_steps(weather, "month", latitude=30, elevation=150,
                                      fill="linear", kc=0.9)
        else:
            steps = halosoil.to_steps(halosoil.delta_change(weather, tmax=1, rain="-10%"),
                                      "week", latitude=30, elevation=150)
        batch = pd.read_csv(written, index_col="step", parse_dates=["start", "end"],
                            float_precision="round_trip")
        assert len(steps) == (24 if gaps else 104)
        pd.testing.assert_frame_equal(steps, batch, check_exact=True, check_dtype=False)
        if gaps:
            assert steps.loc[2, "estimated_days"] == 7  # 10 to 16 February, no humidity

    def test_the_project_is_the_one_the_batch_runner_writes(self, tmp_path):
        station = station_file(tmp_path / "station.csv", False)
        written = tmp_path / "new.inp"
        batch_output("weather", station, "--latitude", 30, "--elevation", 150, "--into",
                     EXAMPLES / "one_layer_monthly.inp", "-o", written)
        project = halosoil.read_input(EXAMPLES / "one_layer_monthly.inp")
        changed = project.apply_weather(halosoil.read_weather(station), latitude=30,
                                        elevation=150)
        assert changed.input_text(written) == written.read_bytes()
