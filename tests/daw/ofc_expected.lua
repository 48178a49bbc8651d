-- What a host must see of the Orvane Feedback Compressor, and the settings the DAW test uses.
return {
	name = "Orvane Feedback Compressor",
	maker = "Quenmoor",
	unique_id = "1934320228", -- 'sKbd'
	plugin_type = "LXVST",
	preset_uri_format = "VST:1934320228:%04d", -- by program number
	inputs = 2,
	outputs = 2,
	latency = 151,
	param_names = {
		"Detection", "SC Filter Type", "SC Filter Freq", "Threshold", "Knee", "Ratio",
		"Attack", "Release", "Release Slow", "Dry Mix", "Make Up Gain", "HF Harmonics",
		"LF Harmonics", "HF Harmonics Amount", "LF Harmonics Amount", "Delta", "Bypass",
		"SC Preview", "Meter Scale", "-", "-",
	},
	defaults = { -- program 0, "Downward Comp. Reset", which a new instance starts with
		1, 0, 0.475, 0, 0.16, 0.4, 0.31, 0.425, 0.5, 0, 0.5, 0, 0, 0.5, 0.5, 0, 0, 0, 0, 0, 0,
	},
	program_names = {
		"Downward Comp. Reset", "Upward Comp. Reset", "Mastering: Smooth", "Mastering: Tight",
		"Mastering: Aggressive", "Mastering: Upward", "AGC", "Classic Compressor I",
		"Classic Compressor II",
	},
	program = {
		label = "Mastering: Smooth",
		values = { 0.54, 0.5, 0.52, 0.49, 0.29, 0.21, 0.43, 0.46, 0.63, 0, 0.55, 1, 1, 0.25, 0.25, 0, 0, 0, 0, 0, 0 },
	},
	-- A second instance on another track loads this program; the first must not notice.
	second_program = {
		label = "AGC",
		values = { 0.7, 0.5, 0.58, 0.7, 0, 0.41, 0.74, 0.5, 0.91, 0, 0.63, 0, 0, 0.5, 0.5, 0, 0, 0, 0, 0, 0 },
	},
	-- Edits made after the program, by parameter index (0-based). Ratio 0 is a slope of 1, so
	-- nothing is compressed; with the dry signal out, both harmonics off and the make-up gain at
	-- 0.75 (+9 dB) the plug-in's output is its input, 151 samples late, 9 dB louder.
	edits = {
		{ 2, 0.8 }, { 3, 0.3 }, { 5, 0 }, { 6, 0.2 }, { 9, 0 }, { 10, 0.75 },
		{ 11, 0 }, { 12, 0 }, { 18, 0.6 },
	},
	tone_rms_db = -23.0103, -- the test tone: amplitude 0.1
	gain_db = 9.0,
	-- The same plug-in as VST3: what differs. Ardour names a VST3's hidden parameters "hidden"
	-- and lists its program list as presets by number.
	vst3 = {
		unique_id = "89B1493528F448C18696C8C697865174",
		plugin_type = "VST3",
		preset_uri_format = "VST3-P:89B1493528F448C18696C8C697865174:%04d",
		hidden_parameters = { [20] = "hidden", [21] = "hidden" },
	},
	-- The same plug-in as LV2 (OFC_DAW_FORMAT=LV2): what differs.
	lv2 = {
		unique_id = "http://www.quenmoor.com/orvane-feedback-compressor",
		plugin_type = "LV2",
		preset_uri_format = "http://www.quenmoor.com/orvane-feedback-compressor/preset/%d",
		-- The host's enable switch (Ardour's bypass button) is a control input beside the 21.
		extra_control_inputs = 1,
	},
}
